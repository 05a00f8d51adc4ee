#!/usr/bin/env python3
"""Times a full scan by fix_npcs beside the tools that do the same reading.

For each size, makes a page-cached target of random bytes that holds no
record, so that every run reads the whole file and changes nothing. Then,
for each yardstick, runs fix_npcs and the yardstick alternately on it, many
pairs, and prints the median of the per-pair time ratios fix_npcs /
yardstick. The yardsticks:

- a bare read loop (bench/read_loop.cc, built here): the program's open and
  piece size, reads only, nothing compared: the cost of the data alone;
- `cat KARV.exe > /dev/null`;
- ripgrep and `grep -P`, each counting the record as a byte pattern, when
  installed;

and it times the one-read-per-block loop of bench/literal_loop.cc against
cat, to show what reading in large pieces gains. It also gives the peak
resident memory of fix_npcs. It never fails on a timing.

usage: bench.py PROGRAM [--quick]
"""

import os
import platform
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(HERE)

MIB = 1 << 20
# (label, size, pairs per yardstick, pairs for the literal loop)
FULL = [("2 MiB", 2 * MIB, 400, 100), ("1 GiB", 1024 * MIB, 40, 5)]
QUICK = [("2 MiB", 2 * MIB, 20, 5), ("16 MiB", 16 * MIB, 5, 2)]

# The record, as a pattern of bytes, not of Unicode characters.
RECORD = r"(?-u)\x00\x02\x01\x01\x01\x83\x01\x84"
GREP_RECORD = r"\x00\x02\x01\x01\x01\x83\x01\x84"
# grep -P reads bytes, not UTF-8, only in the C locale.
BYTE_LOCALE = dict(os.environ, LC_ALL="C")


def make_target(folder, size):
    path = os.path.join(folder, "KARV.exe")
    # Random bytes from a fixed seed: the same target every time, and a
    # record among them as unlikely as one in 2**64 per block.
    generator = random.Random(8)
    whole, rest = divmod(size, MIB)
    with open(path, "wb") as out:
        for _ in range(whole):
            out.write(generator.randbytes(MIB))
        out.write(generator.randbytes(rest))
    with open(path, "rb") as target:  # into the page cache
        while target.read(MIB):
            pass
    return path


def timed(command, folder, env=None):
    """Runs command in folder with its output captured; returns (seconds,
    the completed process)."""
    start = time.perf_counter()
    done = subprocess.run(command, cwd=folder, stdout=subprocess.PIPE,
                          stdin=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          env=env, check=False)
    seconds = time.perf_counter() - start
    return seconds, done


def patcher(command):
    """A run of fix_npcs or the literal loop, which must find nothing."""
    def run(folder):
        seconds, done = timed(command, folder)
        out = done.stdout
        if done.returncode != 0 or (b"Unable to patch" not in out
                                    and b"not found" not in out):
            sys.exit(f"{command[0]} said {out!r} on a target without the "
                     "record")
        return seconds
    return run


def yardstick(command, env=None, no_match_status=0):
    """A run of a yardstick, which must end with no_match_status."""
    def run(folder):
        seconds, done = timed(command, folder, env)
        if done.returncode != no_match_status:
            sys.exit(f"{command[0]} ended with {done.returncode}")
        return seconds
    return run


def cat(folder):
    # The shell's `cat KARV.exe > /dev/null`, without the shell.
    with open(os.devnull, "wb") as null:
        start = time.perf_counter()
        subprocess.run(["cat", "KARV.exe"], cwd=folder, stdout=null,
                       check=True)
        return time.perf_counter() - start


def median_ratio(first, second, folder, pairs):
    """Median over pairs of time(first) / time(second), run alternately;
    and the times of first."""
    ratios, times = [], []
    for _ in range(pairs):
        seconds = first(folder)
        ratios.append(seconds / second(folder))
        times.append(seconds)
    return statistics.median(ratios), times


def peak_resident_kib(command, folder):
    # Measured by /usr/bin/time, a small program of its own: the peak that
    # the kernel reports for a child of this Python would include the
    # interpreter it was forked from.
    with tempfile.NamedTemporaryFile("r") as report:
        subprocess.run(["/usr/bin/time", "-o", report.name, "-f", "%M"]
                       + command, cwd=folder, stdout=subprocess.DEVNULL,
                       stdin=subprocess.DEVNULL, check=True)
        return int(report.read().split()[-1])


def build(folder, name, *sources):
    compiler = shutil.which("c++") or shutil.which("g++")
    program = os.path.join(folder, name)
    subprocess.run([compiler, "-std=c++17", "-O2", "-static",
                    "-I", os.path.join(SOURCE, "src")]
                   + [os.path.join(SOURCE, s) for s in sources]
                   + ["-o", program], check=True)
    return program


def yardsticks(read_loop):
    """(name, run) of every yardstick at hand; names the ones absent."""
    found = [("bare read", yardstick([read_loop])), ("cat", cat)]
    ripgrep = shutil.which("rg")
    if ripgrep:
        found.append(("rg", yardstick(
            [ripgrep, "-c", "-a", "--no-mmap", RECORD, "KARV.exe"],
            no_match_status=1)))
    else:
        print("ripgrep (rg): not installed, not measured")
    grep = shutil.which("grep")
    probe = subprocess.run([grep, "-P", "x", os.devnull], env=BYTE_LOCALE,
                           stderr=subprocess.DEVNULL, check=False) \
        if grep else None
    if probe is not None and probe.returncode == 1:
        found.append(("grep -P", yardstick(
            [grep, "-c", "-a", "-P", GREP_RECORD, "KARV.exe"],
            env=BYTE_LOCALE, no_match_status=1)))
    else:
        print("grep -P: not installed, not measured")
    return found


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
    program_path = os.path.abspath(args[0])
    program = patcher([program_path])
    sizes = QUICK if "--quick" in args[1:] else FULL

    print(f"Machine: {cpu_name()}, {os.cpu_count()} cores, "
          f"{platform.system()} {platform.release()}")
    with tempfile.TemporaryDirectory(prefix="fix_npcs_bench.") as scratch:
        literal = patcher([build(scratch, "literal_loop",
                                 "bench/literal_loop.cc", "src/patch.cc")])
        read_loop = build(scratch, "read_loop", "bench/read_loop.cc")
        measured = yardsticks(read_loop)
        print("Each ratio is the median over pairs of (fix_npcs time) / "
              "(yardstick time), the two run one after the other on the "
              "same page-cached file.")
        print()
        names = [name for name, _ in measured]
        print("| target | pairs | fix_npcs median | "
              + " | ".join(f"fix_npcs / {name}" for name in names)
              + " | fix_npcs peak RSS | one read per block / cat |")
        print("|---" * (len(names) + 5) + "|")
        for label, size, pairs, literal_pairs in sizes:
            folder = os.path.join(scratch, "game")
            os.mkdir(folder)
            make_target(folder, size)
            cells, seconds = [], []
            for _, run in measured:
                ratio, times = median_ratio(program, run, folder, pairs)
                cells.append(f"{ratio:.2f}x")
                seconds += times
            peak = peak_resident_kib([program_path], folder)
            literal_ratio, _ = median_ratio(literal, cat, folder,
                                            literal_pairs)
            print(f"| {label} | {pairs} | "
                  f"{statistics.median(seconds) * 1000:.2f} ms | "
                  + " | ".join(cells)
                  + f" | {peak / 1024:.1f} MiB | {literal_ratio:.1f}x |",
                  flush=True)
            shutil.rmtree(folder)


if __name__ == "__main__":
    main()
