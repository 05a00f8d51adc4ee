#!/usr/bin/env python3
"""Times a full scan by fix_npcs against `cat KARV.exe > /dev/null`.

For each size, makes a page-cached target that holds no record, so that
every run reads the whole file and changes nothing, then runs fix_npcs and
cat alternately on it, many pairs, and prints the median of the per-pair
time ratios and the peak resident memory of fix_npcs. It does the same for
the one-read-per-block loop of bench/literal_loop.cc, which it builds itself,
to show what reading in large pieces gains. It never fails on a timing.

usage: bench.py PROGRAM [--quick]
"""

import os
import platform
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(HERE)

MIB = 1 << 20
# (label, size, pairs for fix_npcs and cat, pairs for the literal loop)
FULL = [("2 MiB", 2 * MIB, 400, 100), ("1 GiB", 1024 * MIB, 40, 5)]
QUICK = [("2 MiB", 2 * MIB, 20, 5), ("16 MiB", 16 * MIB, 5, 2)]


def filler(size):
    # The same filler as the tests': consecutive bytes differ by 31, so no
    # 8 bytes of it are the record.
    pattern = bytes((i * 31 + 17) & 0xFF for i in range(MIB))
    whole, rest = divmod(size, MIB)
    return pattern, whole, rest


def make_target(folder, size):
    path = os.path.join(folder, "KARV.exe")
    pattern, whole, rest = filler(size)
    with open(path, "wb") as out:
        for _ in range(whole):
            out.write(pattern)
        out.write(pattern[:rest])
    with open(path, "rb") as target:  # into the page cache
        while target.read(MIB):
            pass
    return path


def run(command, folder):
    """Runs command in folder; returns (seconds, stdout)."""
    start = time.perf_counter()
    done = subprocess.run(command, cwd=folder, stdout=subprocess.PIPE,
                          stdin=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          check=True)
    return time.perf_counter() - start, done.stdout


def peak_resident_kib(command, folder):
    # Measured by /usr/bin/time, a small program of its own: the peak that
    # the kernel reports for a child of this Python would include the
    # interpreter it was forked from.
    with tempfile.NamedTemporaryFile("r") as report:
        subprocess.run(["/usr/bin/time", "-o", report.name, "-f", "%M"]
                       + command, cwd=folder, stdout=subprocess.DEVNULL,
                       stdin=subprocess.DEVNULL, check=True)
        return int(report.read().split()[-1])


def cat(folder):
    # The shell's `cat KARV.exe > /dev/null`, without the shell.
    with open(os.devnull, "wb") as null:
        start = time.perf_counter()
        subprocess.run(["cat", "KARV.exe"], cwd=folder, stdout=null,
                       check=True)
        return time.perf_counter() - start


def median_ratio(command, folder, pairs):
    ratios, times = [], []
    for _ in range(pairs):
        seconds, out = run(command, folder)
        if b"Unable to patch" not in out and b"not found" not in out:
            sys.exit(f"{command[0]} said {out!r} on a target without the record")
        ratios.append(seconds / cat(folder))
        times.append(seconds)
    return statistics.median(ratios), statistics.median(times)


def build_literal_loop(folder):
    compiler = shutil.which("c++") or shutil.which("g++")
    program = os.path.join(folder, "literal_loop")
    subprocess.run([compiler, "-std=c++17", "-O2", "-static",
                    "-I", os.path.join(SOURCE, "src"),
                    os.path.join(HERE, "literal_loop.cc"),
                    os.path.join(SOURCE, "src", "patch.cc"), "-o", program],
                   check=True)
    return program


def cpu_name():
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown processor"


def main():
    args = sys.argv[1:]
    if not args or args[0].startswith("-"):
        sys.exit(__doc__)
    program = os.path.abspath(args[0])
    sizes = QUICK if "--quick" in args[1:] else FULL

    print(f"Machine: {cpu_name()}, {os.cpu_count()} cores, "
          f"{platform.system()} {platform.release()}")
    print("Each ratio is the median over pairs of (run time) / (cat time), "
          "the two run one after the other on the same page-cached file.")
    print()
    print("| target | pairs | fix_npcs / cat | fix_npcs median | "
          "fix_npcs peak RSS | one read per block / cat |")
    print("|---|---|---|---|---|---|")
    with tempfile.TemporaryDirectory(prefix="fix_npcs_bench.") as scratch:
        literal = build_literal_loop(scratch)
        for label, size, pairs, literal_pairs in sizes:
            folder = os.path.join(scratch, "game")
            os.mkdir(folder)
            make_target(folder, size)
            ratio, seconds = median_ratio([program], folder, pairs)
            peak = peak_resident_kib([program], folder)
            literal_ratio, _ = median_ratio([literal], folder, literal_pairs)
            print(f"| {label} | {pairs} | {ratio:.3f}x | "
                  f"{seconds * 1000:.2f} ms | {peak / 1024:.1f} MiB | "
                  f"{literal_ratio:.1f}x |", flush=True)
            shutil.rmtree(folder)


if __name__ == "__main__":
    main()
