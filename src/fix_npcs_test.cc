// Runs the built program as a player would: in a fresh folder holding a
// target made byte by byte, then checks its one line, its silence on the
// error stream, its exit status and every byte of what it left behind.

#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "patch.h"

namespace fs = std::filesystem;

namespace {

using bytes = std::vector<unsigned char>;

const std::string cannot_open =
    "Cannot open KARV.EXE. Please run this program from the root Karvossa folder.\n";
const std::string applied =
    "Pacth applied successfully! You should go to Orvelle and enjoy watching Qelari wandering the streets!\n";
const std::string not_found =
    "Unable to patch KARV.EXE. Fix may already have been applied.\n";
const std::string read_failed =
    "Unable to read KARV.EXE. Nothing was changed.\n";
const std::string write_failed =
    "Unable to write KARV.EXE. The patch may not have been applied; please run this program again.\n";

constexpr uid_t nobody = 65534;

// The program under test and, for a program not built for this machine (the
// Windows one), the command that runs it here.
constexpr const char* program_under_test = FIX_NPCS_TEST_PROGRAM;
constexpr const char* emulator = FIX_NPCS_TEST_EMULATOR;
constexpr bool emulated = emulator[0] != '\0';
constexpr const char* wine_prefix = FIX_NPCS_TEST_WINE_PREFIX;
// The Windows helper that holds the target open as the running game does;
// empty where the program is native.
constexpr const char* holder = FIX_NPCS_TEST_HOLDER;

// The Windows console ends its lines with CR LF; either ending is the same
// line.
std::string with_lf_line_ends(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) {
    text.erase(at, 1);
  }
  return text;
}

// Filler in which no 8 aligned bytes equal either record: consecutive bytes
// always differ by 31.
bytes filler(std::size_t size) {
  bytes data(size);
  for (std::size_t i = 0; i < size; ++i) {
    data[i] = static_cast<unsigned char>(i * 31 + 17);
  }
  return data;
}

bytes with_record(bytes data, std::size_t offset, const unsigned char* record) {
  std::copy(record, record + size_of_sequence,
            data.begin() + static_cast<std::ptrdiff_t>(offset));
  return data;
}

bytes first_bytes(bytes data, std::size_t size) {
  data.resize(size);
  return data;
}

void write_file(const fs::path& path, const bytes& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()),
            static_cast<std::streamsize>(data.size()));
  out.close();
  ASSERT_FALSE(out.fail()) << path;
}

bytes read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.is_open()) << path;
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> list_folder(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string read_all(int fd) {
  std::string text;
  char chunk[4096];
  ssize_t got;
  while ((got = read(fd, chunk, sizeof chunk)) > 0) {
    text.append(chunk, static_cast<std::size_t>(got));
  }
  return text;
}

struct run_options {
  std::vector<std::string> arguments;
  std::string input;             // fed on standard input
  bool drop_privileges = false;  // run as nobody, not as root
  rlim_t file_size_limit = RLIM_INFINITY;
  unsigned seconds = 30;  // the run is killed after this long
};

struct run_result {
  std::string out;
  std::string err;
  int status = -1;  // the wait status
};

// Wine runs only as the owner of its prefix. Root's is the one the build
// names; nobody's sits in a folder of its own that the Wine fixture makes
// for each run of the suite and names in a file beside root's.
std::string nobody_wine_folder() {
  std::ifstream record(std::string(wine_prefix) + ".nobody");
  std::string folder;
  std::getline(record, folder);
  return folder;
}

// The environment a run under Wine needs, as NAME=value; empty when the
// program is native.
std::vector<std::string> wine_environment(bool as_nobody) {
  if (wine_prefix[0] == '\0') return {};
  // Wine's own diagnostics would land on the error stream.
  std::vector<std::string> environment = {"WINEDEBUG=-all"};
  if (!as_nobody) {
    environment.push_back(std::string("WINEPREFIX=") + wine_prefix);
    return environment;
  }
  const std::string folder = nobody_wine_folder();
  environment.push_back("WINEPREFIX=" + folder + "/prefix");
  environment.push_back("HOME=" + folder + "/home");
  return environment;
}

// In the child: sets up what `options` asks for and runs `program` in
// `folder`. Exits with 125 when the setup fails, 126 when the exec does.
[[noreturn]] void run_child(const fs::path& folder, const std::string& program,
                            const run_options& options,
                            std::vector<std::string> environment) {
  if (chdir(folder.c_str()) != 0) _exit(125);
  if (options.file_size_limit != RLIM_INFINITY) {
    // Ignored, SIGXFSZ no longer kills: the write fails with EFBIG.
    if (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR) _exit(125);
    const rlimit limit = {options.file_size_limit, options.file_size_limit};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(125);
  }
  if (options.drop_privileges && (setgroups(0, nullptr) != 0 ||
                                  setgid(nobody) != 0 || setuid(nobody) != 0)) {
    _exit(125);
  }
  for (std::string& setting : environment) {
    if (putenv(setting.data()) != 0) _exit(125);
  }
  alarm(options.seconds);
  std::vector<char*> argv;
  if (emulated) argv.push_back(const_cast<char*>(emulator));
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : options.arguments) {
    argv.push_back(const_cast<char*>(a.c_str()));
  }
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  _exit(126);
}

// A started program and our ends of the pipes on its standard streams.
struct process {
  pid_t pid = -1;
  int in = -1;
  int out = -1;
  int err = -1;
};

// Starts `program` in `folder`, with standard input and output on pipes so
// that nothing but the target lives in the folder, and a time limit so that
// a program that hangs fails the test instead of stalling it.
process start_in(const fs::path& folder, const std::string& program,
                 const run_options& options) {
  std::vector<std::string> environment =
      wine_environment(options.drop_privileges);
  int in[2];
  int out[2];
  int err[2];
  // Close-on-exec, so that no other program started meanwhile (the
  // program under test while the helper runs, say) holds them open.
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 ||
      pipe2(err, O_CLOEXEC) != 0) {
    ADD_FAILURE() << "pipe: " << std::strerror(errno);
    return {};
  }
  const pid_t child = fork();
  if (child < 0) {
    ADD_FAILURE() << "fork: " << std::strerror(errno);
    return {};
  }
  if (child == 0) {
    // The copies dup2 makes stay open across the exec.
    if (dup2(in[0], 0) < 0 || dup2(out[1], 1) < 0 || dup2(err[1], 2) < 0) {
      _exit(125);
    }
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
    run_child(folder, program, options, std::move(environment));
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  return {child, in[1], out[0], err[0]};
}

// Closes the started program's input, reads what it writes until it ends,
// and waits for it.
run_result finish(process* started) {
  run_result result;
  if (started->pid < 0) return result;
  close(started->in);
  result.out = read_all(started->out);
  result.err = read_all(started->err);
  close(started->out);
  close(started->err);
  EXPECT_EQ(waitpid(started->pid, &result.status, 0), started->pid);
  return result;
}

run_result run_in(const fs::path& folder, const std::string& program,
                  const run_options& options) {
  process started = start_in(folder, program, options);
  if (started.pid >= 0 && !options.input.empty()) {
    // Small enough for the pipe's buffer, so this never blocks.
    EXPECT_EQ(write(started.in, options.input.data(), options.input.size()),
              static_cast<ssize_t>(options.input.size()));
  }
  return finish(&started);
}

// Reads up to and including the first line end, or to the end of the
// stream; a stream that ends before a whole line gives what came.
std::string read_line(int fd) {
  std::string line;
  char c;
  while (read(fd, &c, 1) == 1) {
    line += c;
    if (c == '\n') break;
  }
  return line;
}

// A fresh folder for one case, removed with all it holds afterwards. The
// program runs in game(); files that must not be seen there go in aside().
class PatcherTest : public ::testing::Test {
 public:
  void SetUp() override {
    char pattern[] = "/tmp/fix_npcs_test.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr) << std::strerror(errno);
    root_ = pattern;
    // Readable by all, so that a case may run the program as nobody.
    fs::permissions(root_, fs::perms(0755));
    fs::create_directory(game());
    fs::create_directory(aside());
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  [[nodiscard]] fs::path game() const { return root_ / "game"; }
  [[nodiscard]] fs::path aside() const { return root_ / "aside"; }
  [[nodiscard]] fs::path target() const { return game() / "KARV.exe"; }

  // Runs the program in game() and checks what holds on every path: one of
  // the program's lines and nothing else, silence on the error stream, exit
  // status 0, and no entry added to or removed from the folder.
  [[nodiscard]] std::string run(const run_options& options = {}) const {
    std::string program(program_under_test);
    if (options.drop_privileges) {
      // The build folder may sit where nobody cannot reach it.
      program = (root_ / fs::path(program_under_test).filename()).string();
      fs::copy_file(program_under_test, program,
                    fs::copy_options::overwrite_existing);
      fs::permissions(program, fs::perms(0755));
    }
    const std::vector<std::string> before = list_folder(game());
    const run_result result = run_in(game(), program, options);
    EXPECT_TRUE(WIFEXITED(result.status) && WEXITSTATUS(result.status) == 0)
        << "wait status " << result.status;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(list_folder(game()), before);
    return emulated ? with_lf_line_ends(result.out) : result.out;
  }

  fs::path root_;
};

struct target_case {
  const char* what;
  bytes content;
  std::ptrdiff_t patched_at;  // -1 when the target must stay as it was
};

TEST_F(PatcherTest, PatchesTheFirstAlignedRecordAndNothingElse) {
  const target_case cases[] = {
      {"record in the middle", with_record(filler(64), 40, old_bytes), 40},
      {"record at offset 0", with_record(filler(24), 0, old_bytes), 0},
      {"record as the last block", with_record(filler(48), 40, old_bytes), 40},
      {"record as the only block", with_record(filler(8), 0, old_bytes), 0},
      {"record in the last whole block before a short tail",
       with_record(filler(45), 32, old_bytes), 32},
      {"two records: only the lower changes",
       with_record(with_record(filler(40), 24, old_bytes), 8, old_bytes), 8},
      {"aligned record after an unaligned one",
       with_record(with_record(filler(64), 3, old_bytes), 48, old_bytes), 48},
      {"record far into a large target",
       with_record(filler(3 << 20), (3 << 20) - 4096, old_bytes),
       (3 << 20) - 4096},
      {"record only at offset 4", with_record(filler(32), 4, old_bytes), -1},
      {"record only at an odd offset", with_record(filler(64), 17, old_bytes),
       -1},
      {"record cut short by the end of the target",
       first_bytes(with_record(filler(24), 16, old_bytes), 23), -1},
      {"target already patched", with_record(filler(64), 16, new_bytes), -1},
      {"target without the record", filler(1000), -1},
      {"empty target", bytes(), -1},
      {"shorter than one block", bytes(old_bytes, old_bytes + 7), -1},
  };
  for (const target_case& c : cases) {
    SCOPED_TRACE(c.what);
    write_file(target(), c.content);
    const std::string line = run();
    const bytes after = read_file(target());
    if (c.patched_at < 0) {
      EXPECT_EQ(line, not_found);
      EXPECT_TRUE(after == c.content) << "the target changed";
    } else {
      EXPECT_EQ(line, applied);
      const bytes expected = with_record(
          c.content, static_cast<std::size_t>(c.patched_at), new_bytes);
      EXPECT_TRUE(after == expected) << "not exactly the record changed";
    }
  }
}

TEST_F(PatcherTest, FindsRecordsOnEitherSideOfEveryPowerOfTwo) {
  // Wherever the program ends one read and starts the next, a record just
  // before or just after that point must be found all the same.
  for (std::size_t boundary = 4096; boundary <= (std::size_t{1} << 22);
       boundary *= 2) {
    for (std::size_t offset : {boundary - 8, boundary}) {
      SCOPED_TRACE("record at " + std::to_string(offset));
      const bytes before =
          with_record(filler(boundary + 4096), offset, old_bytes);
      write_file(target(), before);
      EXPECT_EQ(run(), applied);
      EXPECT_TRUE(read_file(target()) ==
                  with_record(before, offset, new_bytes));
    }
  }
}

TEST_F(PatcherTest, SecondRunFindsNothingToDo) {
  const bytes original = with_record(filler(256), 128, old_bytes);
  write_file(target(), original);
  EXPECT_EQ(run(), applied);
  const bytes patched = read_file(target());
  EXPECT_TRUE(patched == with_record(original, 128, new_bytes));
  EXPECT_EQ(run(), not_found);
  EXPECT_TRUE(read_file(target()) == patched);
}

TEST_F(PatcherTest, IgnoresArgumentsAndInput) {
  const bytes original = with_record(filler(256), 64, old_bytes);
  write_file(target(), original);
  run_options options;
  options.arguments = {"--help", "-n", "KARV.exe", "/nonexistent"};
  options.input = "y\nn\n";
  EXPECT_EQ(run(options), applied);
  EXPECT_TRUE(read_file(target()) == with_record(original, 64, new_bytes));
}

TEST_F(PatcherTest, MissingTargetCannotBeOpened) {
  write_file(game() / "KARV.exe.bak", with_record(filler(64), 8, old_bytes));
  write_file(game() / "KARV.ex", with_record(filler(64), 8, old_bytes));
  EXPECT_EQ(run(), cannot_open);
  EXPECT_TRUE(read_file(game() / "KARV.exe.bak") ==
              with_record(filler(64), 8, old_bytes));
}

struct naming {
  const char* what;
  std::vector<const char*> present;  // the names in the folder
  const char* patched;               // the one that must be patched
};

// Writes the same unpatched target under each name of `c`, runs the program
// and checks that exactly the one it should patch was patched.
void expect_patched_under_its_name(PatcherTest* test, const naming& c) {
  SCOPED_TRACE(c.what);
  const bytes original = with_record(filler(64), 16, old_bytes);
  const bytes patched = with_record(original, 16, new_bytes);
  fs::remove_all(test->game());
  fs::create_directory(test->game());
  for (const char* name : c.present) write_file(test->game() / name, original);
  EXPECT_EQ(test->run(), applied);
  for (const char* name : c.present) {
    const bool is_patched = std::strcmp(name, c.patched) == 0;
    EXPECT_TRUE(read_file(test->game() / name) ==
                (is_patched ? patched : original))
        << name << (is_patched ? " not patched" : " changed");
  }
}

TEST_F(PatcherTest, FindsTheTargetWhateverTheCaseOfItsName) {
  const naming cases[] = {
      {"upper case", {"KARV.EXE"}, "KARV.EXE"},
      {"lower case", {"karv.exe"}, "karv.exe"},
      {"mixed case", {"Karv.Exe"}, "Karv.Exe"},
      {"near names are not the target",
       {"KARV.EXE.old", "KARV.EX", "karv.exe"},
       "karv.exe"},
  };
  for (const naming& c : cases) expect_patched_under_its_name(this, c);
}

TEST_F(PatcherTest, ChoosesOneOfSeveralSpellingsOfTheName) {
  if (emulated) {
    GTEST_SKIP() << "Windows file names ignore case: several spellings of "
                    "one name cannot stand in one folder there";
  }
  const naming cases[] = {
      {"the exact name wins", {"KARV.EXE", "KARV.exe", "karv.exe"}, "KARV.exe"},
      {"else the first in byte order",
       {"karv.EXE", "Karv.exe", "kARV.EXE"},
       "Karv.exe"},
  };
  for (const naming& c : cases) expect_patched_under_its_name(this, c);
}

TEST_F(PatcherTest, FollowsASymbolicLinkToTheTarget) {
  const bytes original = with_record(filler(64), 24, old_bytes);
  write_file(aside() / "real.exe", original);
  fs::create_symlink(aside() / "real.exe", target());
  EXPECT_EQ(run(), applied);
  EXPECT_TRUE(fs::is_symlink(target()));
  EXPECT_TRUE(read_file(aside() / "real.exe") ==
              with_record(original, 24, new_bytes));
}

TEST_F(PatcherTest, RefusesWhatIsNotARegularFile) {
  struct special {
    const char* what;
    void (*make)(const fs::path& at, const fs::path& aside);
  };
  const special cases[] = {
      {"a directory",
       [](const fs::path& at, const fs::path&) { fs::create_directory(at); }},
      {"a FIFO",
       [](const fs::path& at, const fs::path&) {
         ASSERT_EQ(mkfifo(at.c_str(), 0644), 0) << std::strerror(errno);
       }},
      {"a link to an endless device",
       [](const fs::path& at, const fs::path&) {
         fs::create_symlink("/dev/zero", at);
       }},
      {"a link to nothing",
       [](const fs::path& at, const fs::path& aside) {
         fs::create_symlink(aside / "missing.exe", at);
       }},
      {"a link to a directory",
       [](const fs::path& at, const fs::path& aside) {
         fs::create_directory_symlink(aside, at);
       }},
  };
  for (const special& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(game());
    fs::create_directory(game());
    c.make(target(), aside());
    EXPECT_EQ(run(), cannot_open);
  }
}

TEST_F(PatcherTest, ReadOnlyTargetIsLeftAlone) {
  // As root the mode bits would not stop the write, so the program runs as
  // nobody. The first case shows that it does patch a file of its own.
  const bytes original = with_record(filler(128), 64, old_bytes);
  run_options as_nobody;
  as_nobody.drop_privileges = true;

  write_file(target(), original);
  ASSERT_EQ(chown(target().c_str(), nobody, nobody), 0) << std::strerror(errno);
  EXPECT_EQ(run(as_nobody), applied);
  EXPECT_TRUE(read_file(target()) == with_record(original, 64, new_bytes));

  for (fs::perms mode : {fs::perms(0444), fs::perms(0644)}) {
    SCOPED_TRACE("mode " + std::to_string(static_cast<int>(mode)));
    fs::remove(target());
    write_file(target(), original);  // owned by root
    fs::permissions(target(), mode);
    EXPECT_EQ(run(as_nobody), cannot_open);
    EXPECT_TRUE(read_file(target()) == original);
  }
}

TEST_F(PatcherTest, TargetInUseIsLeftAlone) {
  if (holder[0] == '\0') {
    GTEST_SKIP() << "Linux has no share modes: a file held open by one "
                    "program can still be opened for writing by another";
  }
  // The helper holds the target as the running game holds its executable;
  // its "held" line says that it does, and the end of its input lets go.
  const bytes original = with_record(filler(128), 64, old_bytes);
  write_file(target(), original);
  process game_running = start_in(game(), holder, {});
  ASSERT_GE(game_running.pid, 0);
  EXPECT_EQ(with_lf_line_ends(read_line(game_running.out)), "held\n");
  EXPECT_EQ(run(), cannot_open);
  EXPECT_TRUE(read_file(target()) == original);

  const run_result holder_result = finish(&game_running);
  EXPECT_TRUE(WIFEXITED(holder_result.status) &&
              WEXITSTATUS(holder_result.status) == 0)
      << "the helper's wait status " << holder_result.status
      << ", error stream: " << holder_result.err;
  EXPECT_EQ(run(), applied);
  EXPECT_TRUE(read_file(target()) == with_record(original, 64, new_bytes));
}

// Sets or clears the immutable attribute of `path`; returns 0 or the error.
int set_immutable(const fs::path& path, bool immutable) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return errno;
  int flags = 0;
  int error = 0;
  if (ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
    error = errno;
  } else {
    flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    if (ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0) error = errno;
  }
  close(fd);
  return error;
}

TEST_F(PatcherTest, ImmutableTargetIsLeftAlone) {
  // An immutable file refuses to be opened for writing even to root, under
  // Wine too.
  const bytes original = with_record(filler(128), 64, old_bytes);
  write_file(target(), original);
  const int error = set_immutable(target(), true);
  if (error != 0) {
    GTEST_SKIP() << "cannot make a file immutable here: "
                 << std::strerror(error);
  }
  const std::string line = run();
  EXPECT_EQ(set_immutable(target(), false), 0);
  EXPECT_EQ(line, cannot_open);
  EXPECT_TRUE(read_file(target()) == original);
}

TEST_F(PatcherTest, FailedWriteIsNotReportedAsSuccess) {
  // With a file-size limit below the record's offset the kernel refuses the
  // write with EFBIG; the same limit above the target lets it through.
  const bytes original = with_record(filler(8192), 4096, old_bytes);
  run_options limited;

  write_file(target(), original);
  limited.file_size_limit = 1024;
  EXPECT_EQ(run(limited), write_failed);
  EXPECT_TRUE(read_file(target()) == original);

  limited.file_size_limit = 16384;
  EXPECT_EQ(run(limited), applied);
  EXPECT_TRUE(read_file(target()) == with_record(original, 4096, new_bytes));
}

TEST_F(PatcherTest, FailedReadEndsTheRun) {
  // The process's own memory is a regular file whose first page is never
  // mapped: reading it fails with EIO, neither data nor end of file.
  fs::create_symlink("/proc/self/mem", target());
  EXPECT_EQ(run(), read_failed);
}

// The offset of the first byte of `path` at or after `from` that is data,
// not a hole; -1 when there is none (or on error).
off_t first_data_at(const fs::path& path, off_t from) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return -1;
  const off_t at = lseek(fd, from, SEEK_DATA);
  close(fd);
  return at;
}

TEST_F(PatcherTest, PatchesARecordBeyondFourGibibytes) {
  // A sparse target, so that it costs no disk: offsets past 32 bits must
  // reach the record and the write must land on it, not 4 GiB lower.
  const std::uint64_t offset = (std::uint64_t{1} << 32) + 8;
  const std::uint64_t size = offset + 4096;
  {
    std::ofstream out(target(), std::ios::binary);
    out.seekp(static_cast<std::streamoff>(offset));
    out.write(reinterpret_cast<const char*>(old_bytes), 8);
    out.close();
    ASSERT_FALSE(out.fail());
    fs::resize_file(target(), size);
  }
  if (first_data_at(target(), 0) <= 0) {
    GTEST_SKIP() << "this file system does not report holes";
  }
  // 4 GiB to read takes a sanitized debug build half a minute or more.
  run_options long_run;
  long_run.seconds = 300;
  EXPECT_EQ(run(long_run), applied);
  ASSERT_EQ(fs::file_size(target()), size);

  // Nothing but the record's own page may have become data: a write at
  // the offset cut to 32 bits would show up as data lower down.
  const off_t page = static_cast<off_t>(offset) & ~off_t{4095};
  EXPECT_EQ(first_data_at(target(), 0), page);
  EXPECT_EQ(first_data_at(target(), page + 4096), -1);
  std::ifstream in(target(), std::ios::binary);
  in.seekg(page);
  char around[4096];
  in.read(around, sizeof around);
  ASSERT_EQ(in.gcount(), 4096);
  char expected[4096] = {};
  std::memcpy(expected + (offset - static_cast<std::uint64_t>(page)), new_bytes,
              8);
  EXPECT_EQ(std::memcmp(around, expected, sizeof around), 0);
}

}  // namespace
