// End-to-end cases: the built trelvik run on small files, with its whole
// standard output and its exit code compared byte for byte. Each case is data
// (what it shows, the files it needs, the arguments, the expected bytes and
// exit code, where the standard output goes), run by one harness below.
//
// In expected output, '?' stands for one upper-case hexadecimal digit: the
// eight digits of an error address depend on the build, not on the input.
//
// The same file builds two harnesses: one for the native trelvik and, with
// TRELVIK_UNDER_WINE, one for trelvik.exe run under Wine. Most cases hold on
// both; a case tagged with a host holds only there, because it rests on what
// that host does: its error numbers, its file names, its command line.
#include <errno.h>
#include <fcntl.h>
#include <ftw.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "fixtures.h"

namespace trelvik::testing {
namespace {

using namespace std::string_literals;

// Where the program's standard output goes.
enum class Output {
  kPipe,        // read by the harness
  kFile,        // a regular file, read back afterwards
  kClosed,      // descriptor 1 closed
  kDevNull,     // a character device that takes everything
  kDevFull,     // a character device on which every write fails (ENOSPC)
  kBrokenPipe,  // a pipe whose reader has gone away
};

struct File {
  enum class Kind { kRegular, kReadOnly, kDirectory, kFifo };
  std::string name;  // relative to the case's folder; parents are made
  std::string bytes;
  Kind kind = Kind::kRegular;
};

enum class Host { kAny, kPosix, kWindows };

#if defined(TRELVIK_UNDER_WINE)
constexpr Host kThisHost = Host::kWindows;
#else
constexpr Host kThisHost = Host::kPosix;
#endif

struct Case {
  const char* shows;
  const char* name;
  std::vector<File> files;
  std::vector<std::string> args;
  std::string out;
  int exit_code;
  Output output = Output::kPipe;
  Host host = Host::kAny;
  // On Windows, the whole command line as a user types it; without one it is
  // made from the program's name and the args, quoting those with blanks.
  std::string command_line = "";
};

std::string L(std::string_view text) { return std::string(text) + "\r\n"; }

const std::string kBanner =
    L("") + L("Created for the video conversion script for Motorola phones") +
    L("");
const std::string kUsage =
    L("Usage: trelvik.exe input_filename [-ctX] [-cbY] [-clZ] [-crN]") +
    L("Where '-ct' is top cropping, '-cb' is bottom and etc, 'X', 'Y', 'Z', "
      "'N' are the cropping values.");
const std::string kCannotOpen = L("Error opening file!");
const std::string kCannotRead = L("Error reading the file data!");
const std::string kAvi = L("File format recognized as: AVI");
const std::string kMpg = L("File format recognized as: MPG");
const std::string kUnknown =
    L("File format is not recognized! Parsing as AVI...");

std::string Opened(std::string_view name) {
  return L("Opened file \"" + std::string(name) + "\"");
}

std::string Report(int number) {
  std::string field = std::to_string(number);
  field.insert(0, 3 - field.size(), ' ');
  return "Runtime error " + field + " at ????????" + "\0\r\n"s;
}

std::string Result(std::string_view resolution, std::string_view crops, int raw,
                   int calculated) {
  return L("Video resolution: " + std::string(resolution)) +
         L("Cropping: " + std::string(crops)) +
         L("Raw vertical size: " + std::to_string(raw)) +
         L("Calculated vertical size: " + std::to_string(calculated));
}

constexpr std::string_view kNoCrops = "Top=0 Bottom=0 Left=0 Right=0";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A name of about 4000 bytes in nested folders: long enough that the run's
// output no longer fits the console buffer, short enough for the host to open.
std::string LongName() {
  std::string name;
  for (int i = 0; i < 16; ++i) name += std::string(249, 'd') + "/";
  return name + "in.avi";
}

const std::string kMpegCode = SequenceHeaderCode();

const std::string kTypical =
    kBanner + Opened("in.avi") + kAvi +
    Result("320x240", "Top=8 Bottom=8 Left=0 Right=0", 123, 124);

const Case kCases[] = {
    // The exit-code table, one row at a time.
    {"No argument: the banner, the usage and 0.",
     "NoArgument",
     {},
     {},
     kBanner + kUsage,
     0},
    {"The Overview's typical run on the sample that the repository ships.",
     "TypicalRunOnTheSample",
     {{"sample.avi", ReadFile(TRELVIK_SAMPLE)}},
     {"sample.avi", "-ct8", "-cb8"},
     kBanner + Opened("sample.avi") + kAvi +
         Result("320x240", "Top=8 Bottom=8 Left=0 Right=0", 123, 124),
     124},
    {"A missing file cannot be opened; its name is not printed.",
     "MissingFile",
     {},
     {"missing.avi"},
     kBanner + kCannotOpen,
     0},
    {"A directory is refused like a missing file.",
     "Directory",
     {{"folder", "", File::Kind::kDirectory}},
     {"folder"},
     kBanner + kCannotOpen,
     0},
    {"An empty first argument names no file.",
     "EmptyName",
     {},
     {""},
     kBanner + kCannotOpen,
     0,
     Output::kPipe,
     Host::kPosix},
    {"A crop option first is taken as the file name.",
     "CropOptionFirst",
     {{"in.avi", AviFile(320, 240)}},
     {"-ct8", "in.avi"},
     kBanner + kCannotOpen,
     0},
    {"A zero width is the foreseen read error, right after the sniff.",
     "ZeroWidth",
     {{"in.avi", AviFile(0x10000, 240)}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + kCannotRead,
     0},
    {"A completed run whose vertical size is 0 also exits with 0.",
     "VerticalSizeZero",
     {{"in.avi", AviFile(320, 8)}},
     {"in.avi", "-ct7"},
     kBanner + Opened("in.avi") + kAvi +
         Result("320x8", "Top=7 Bottom=0 Left=0 Right=0", 0, 0),
     0},
    {"A vertical size of 100 exits with 100, like a short read.",
     "VerticalSize100",
     {{"in.avi", AviFile(640, 360)}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + Result("640x360", kNoCrops, 99, 100),
     100},
    {"An empty file stops in the sniff with 100.",
     "EmptyFile",
     {{"in.avi", ""}},
     {"in.avi"},
     kBanner + Opened("in.avi") + Report(100),
     100},
    {"A cropped width of 0 with some height left stops with 200.",
     "DivisionByZero",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi", "-cl160", "-cr160"},
     kBanner + Opened("in.avi") + kAvi + L("Video resolution: 320x240") +
         L("Cropping: Top=0 Bottom=0 Left=160 Right=160") + Report(200),
     200},
    {"A cropped width and height of 0 stop with 207.",
     "InvalidOperation",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi", "-ct240", "-cl320"},
     kBanner + Opened("in.avi") + kAvi + L("Video resolution: 320x240") +
         L("Cropping: Top=240 Bottom=0 Left=320 Right=0") + Report(207),
     207},

    // The sniff's three outcomes and the AVI reader's edges.
    {"A file of 15 bytes stops before any format line.",
     "FifteenBytes",
     {{"in.avi", "RIFF\0\0\0\0AVI LIS"s}},
     {"in.avi"},
     kBanner + Opened("in.avi") + Report(100),
     100},
    {"16 bytes with AVI LIST are AVI; the size read then stops with 100.",
     "SixteenBytesOfAvi",
     {{"in.avi", "RIFF\0\0\0\0AVI LIST"s}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + Report(100),
     100},
    {"An AVI header cut at 64 bytes stops at the read of byte 64.",
     "AviOf64Bytes",
     {{"in.avi", AviFile(320, 240).substr(0, 64)}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + Report(100),
     100},
    {"An AVI header cut at 69 bytes stops at the read of byte 69.",
     "AviOf69Bytes",
     {{"in.avi", AviFile(320, 240).substr(0, 69)}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + Report(100),
     100},
    {"70 bytes are all the AVI reader needs.",
     "AviOf70Bytes",
     {{"in.avi", AviFile(320, 240).substr(0, 70)}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + Result("320x240", kNoCrops, 132, 132),
     132},
    {"The upper halves of dwWidth and dwHeight are not read.",
     "AviUpperHalvesIgnored",
     {{"in.avi", AviFile(65856, 0x7FFF00F0)}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + Result("320x240", kNoCrops, 132, 132),
     132},
    {"Unrecognised content is announced and read as AVI all the same.",
     "UnrecognisedReadAsAvi",
     {{"in.bin", Put(AviFile(720, 576), 8, "avi list")}},
     {"in.bin"},
     kBanner + Opened("in.bin") + kUnknown +
         Result("720x576", kNoCrops, 140, 140),
     140},
    {"A video elementary stream is no program stream: read as AVI, no size.",
     "ElementaryStream",
     {{"in.m1v", Put(MpegStream(352, 240, 0), 200, "")}},
     {"in.m1v"},
     kBanner + Opened("in.m1v") + kUnknown + kCannotRead,
     0},

    // The MPEG reader's edges.
    {"A program stream of 352x240.",
     "Mpeg352x240",
     {{"in.mpg", MpegStream(352, 240)}},
     {"in.mpg"},
     kBanner + Opened("in.mpg") + kMpg + Result("352x240", kNoCrops, 120, 120),
     120},
    {"A program stream of 720x576 with all four crops.",
     "Mpeg720x576Cropped",
     {{"in.mpg", MpegStream(720, 576)}},
     {"in.mpg", "-ct16", "-cb16", "-cl8", "-cr8"},
     kBanner + Opened("in.mpg") + kMpg +
         Result("720x576", "Top=16 Bottom=16 Left=8 Right=8", 136, 136),
     136},
    {"A sequence header at 15996 to 15999 is the last one found.",
     "MpegLastCodeFound",
     {{"in.mpg",
       ZeroStream(16100, 15996, kMpegCode + Bytes({0x2D, 0x01, 0xE0}))}},
     {"in.mpg"},
     kBanner + Opened("in.mpg") + kMpg + Result("720x480", kNoCrops, 117, 116),
     116},
    {"No sequence header before 16000: no size, whatever follows the limit.",
     "MpegNoCodeBeforeTheLimit",
     {{"in.mpg",
       ZeroStream(16100, 15997, kMpegCode + Bytes({0x16, 0x00, 0xF0}))}},
     {"in.mpg"},
     kBanner + Opened("in.mpg") + kMpg + kCannotRead,
     0},
    {"A stream that ends before 16000 without a sequence header stops with "
     "100.",
     "MpegShortWithoutCode",
     {{"in.mpg", ZeroStream(15999, 0, "")}},
     {"in.mpg"},
     kBanner + Opened("in.mpg") + kMpg + Report(100),
     100},
    {"A sequence header code followed by two bytes stops with 100.",
     "MpegCodeThenTwoBytes",
     {{"in.mpg", ZeroStream(106, 100, kMpegCode + Bytes({0x16, 0x00}))}},
     {"in.mpg"},
     kBanner + Opened("in.mpg") + kMpg + Report(100),
     100},

    // Names and numbers as they stand.
    {"A name with blanks is printed as given, between its own quotes.",
     "NameWithBlanks",
     {{"my video.avi", AviFile(176, 144)}},
     {"my video.avi"},
     kBanner + Opened("my video.avi") + kAvi +
         Result("176x144", kNoCrops, 144, 144),
     144},
    {"Five-digit sizes and crops; a large raw size is capped at 144.",
     "LargestNumbers",
     {{"in.avi", AviFile(65535, 65535)}},
     {"in.avi", "-cl65534"},
     kBanner + Opened("in.avi") + kAvi +
         Result("65535x65535", "Top=0 Bottom=0 Left=65534 Right=0", 65360, 144),
     144},
    {"The crop scan: later wins, upper case and misplaced options do not "
     "count.",
     "CropScan",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi", "-cl10", "-cr6", "-cl12", "-CT8", "-ct-8", "-cb4", "x-cb4"},
     kBanner + Opened("in.avi") + kAvi +
         Result("320x240", "Top=65528 Bottom=0 Left=12 Right=6", 27488, 144),
     144},

    // Where the standard output goes.
    {"A regular file gets exactly the bytes a pipe gets.",
     "OutputToFile",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi", "-ct8", "-cb8"},
     kTypical,
     124,
     Output::kFile},
    {"A character device that takes everything: the run completes.",
     "OutputToDevNull",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi", "-ct8", "-cb8"},
     "",
     124,
     Output::kDevNull},
    {"A device whose writes fail stops at the first line with ENOSPC.",
     "OutputToDevFull",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi"},
     "",
     28,
     Output::kDevFull,
     Host::kPosix},
    {"A device whose writes fail stops at the first line with "
     "ERROR_DISK_FULL.",
     "OutputToFullDevice",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi"},
     "",
     112,
     Output::kDevFull,
     Host::kWindows},
    {"No standard output at all stops at the first line with 105.",
     "OutputClosed",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi"},
     "",
     105,
     Output::kClosed},
    {"A pipe nobody reads: the last write-out fails quietly, no signal.",
     "OutputToBrokenPipe",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi", "-ct8", "-cb8"},
     "",
     124,
     Output::kBrokenPipe},
    // Windows takes no name this long, so these two are POSIX's.
    {"A pipe nobody reads, filled mid-run: the line's check stops with EPIPE.",
     "BrokenPipeFilledMidRun",
     {{LongName(), AviFile(320, 240)}},
     {LongName()},
     "",
     32,
     Output::kBrokenPipe,
     Host::kPosix},
    {"Lines written out before a stop all come before its report.",
     "LinesWrittenOutBeforeAStop",
     {{LongName(), "RIFF\0\0\0\0AVI LIST"s}},
     {LongName()},
     kBanner + Opened(LongName()) + kAvi + Report(100),
     100,
     Output::kPipe,
     Host::kPosix},

    // Inputs that are no ordinary file.
    {"A read-only file opens like any other.",
     "ReadOnlyFile",
     {{"in.avi", AviFile(320, 240), File::Kind::kReadOnly}},
     {"in.avi", "-ct8", "-cb8"},
     kTypical,
     124},
    {"A FIFO without a writer does not hang: it cannot seek (ESPIPE).",
     "Fifo",
     {{"fifo", "", File::Kind::kFifo}},
     {"fifo"},
     kBanner + Opened("fifo") + Report(29),
     29,
     Output::kPipe,
     Host::kPosix},
#if defined(__linux__)
    // Linux refuses to read the unmapped page at address 0 of a process.
    {"A read that the system refuses stops with its error number (EIO).",
     "ReadRefused",
     {},
     {"/proc/self/mem"},
     kBanner + Opened("/proc/self/mem") + Report(5),
     5,
     Output::kPipe,
     Host::kPosix},
#endif

    // The Windows command line, cut by the program itself.
    {"A quoted name with blanks is printed without the quotes it came in.",
     "QuotedNameWithBlanks",
     {{"my video.avi", AviFile(320, 240)}},
     {},
     kBanner + Opened("my video.avi") + kAvi +
         Result("320x240", "Top=8 Bottom=8 Left=0 Right=0", 123, 124),
     124,
     Output::kPipe,
     Host::kWindows,
     "trelvik.exe \"my video.avi\" -ct8 -cb8"},
    {"Empty quote pairs vanish, between arguments and inside them.",
     "EmptyQuotePairs",
     {{"in.avi", AviFile(320, 240)}},
     {},
     kTypical,
     124,
     Output::kPipe,
     Host::kWindows,
     "trelvik.exe \"\" in.avi \"\" -ct\"\"8 \"-cb\"8"},
    {"A quoted crop amount may start with a blank; no escape character.",
     "QuotedBlankInAmount",
     {{"in.avi", AviFile(320, 240)}},
     {},
     kBanner + Opened("in.avi") + kAvi +
         Result("320x240", "Top=8 Bottom=0 Left=0 Right=0", 127, 128),
     128,
     Output::kPipe,
     Host::kWindows,
     "trelvik.exe\tin.avi \"-ct 8\" -cb\\\"8\""},
    {"A line of blanks and empty quote pairs after the name is no argument.",
     "OnlyEmptyQuotePairs",
     {},
     {},
     kBanner + kUsage,
     0,
     Output::kPipe,
     Host::kWindows,
     "trelvik.exe \"\" \t \"\"  "},
};

// A folder of its own for each run, removed afterwards.
class Sandbox {
 public:
  Sandbox() {
    std::string path =
        (std::filesystem::temp_directory_path() / "trelvik-e2e-XXXXXX")
            .string();
    if (mkdtemp(path.data()) == nullptr) ADD_FAILURE() << "mkdtemp: " << errno;
    dir_ = path;
  }
  ~Sandbox() {
    nftw(
        dir_.c_str(),
        [](const char* path, const struct stat*, int, struct FTW*) {
          return remove(path);
        },
        16, FTW_DEPTH | FTW_PHYS);
  }
  const std::string& dir() const { return dir_; }

  void Make(const File& file) const {
    const std::string path = dir_ + "/" + file.name;
    for (size_t slash = path.find('/', dir_.size() + 1);
         slash != std::string::npos; slash = path.find('/', slash + 1)) {
      mkdir(path.substr(0, slash).c_str(), 0755);
    }
    switch (file.kind) {
      case File::Kind::kDirectory:
        ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
        break;
      case File::Kind::kFifo:
        ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
        break;
      case File::Kind::kRegular:
      case File::Kind::kReadOnly:
        std::ofstream(path, std::ios::binary) << file.bytes;
        if (file.kind == File::Kind::kReadOnly) chmod(path.c_str(), 0444);
        break;
    }
  }

 private:
  std::string dir_;
};

struct Outcome {
  std::string out;
  bool exited = false;
  int exit_code = -1;
  int signal = 0;
  bool hung = false;
};

void RedirectStandardOutput(Output output, int pipe_write, const char* file) {
  int fd = -1;
  switch (output) {
    case Output::kPipe:
    case Output::kBrokenPipe:
      fd = pipe_write;
      break;
    case Output::kFile:
      fd = open(file, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      break;
    case Output::kDevNull:
      fd = open("/dev/null", O_WRONLY | O_CLOEXEC);
      break;
    case Output::kDevFull:
      fd = open("/dev/full", O_WRONLY | O_CLOEXEC);
      break;
    case Output::kClosed:
      // Under Wine the runner starts trelvik.exe without a handle instead:
      // Wine gives a process whose descriptor 1 is closed a handle all the
      // same. The runner itself prints nothing.
      if (kThisHost == Host::kWindows) {
        fd = open("/dev/null", O_WRONLY | O_CLOEXEC);
        break;
      }
      close(STDOUT_FILENO);
      return;
  }
  dup2(fd, STDOUT_FILENO);
}

// Runs the command in dir; a run that takes more than half a minute is
// killed and marked as hung.
Outcome RunCommand(const std::string& dir,
                   const std::vector<std::string>& command, Output output) {
  int pipe_fds[2] = {-1, -1};
  if (output == Output::kPipe || output == Output::kBrokenPipe) {
    if (pipe2(pipe_fds, O_CLOEXEC) != 0) ADD_FAILURE() << "pipe2: " << errno;
  }
  if (output == Output::kBrokenPipe) {
    close(pipe_fds[0]);
    pipe_fds[0] = -1;
  }
  const std::string out_file = dir + "/.stdout";
  std::vector<char*> argv;
  for (const std::string& word : command)
    argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);

  const pid_t pid = fork();
  if (pid == 0) {
    // The program must guard itself against SIGPIPE, so it starts with the
    // default action whatever this process does.
    signal(SIGPIPE, SIG_DFL);
    if (chdir(dir.c_str()) != 0) _exit(126);
    const int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
    dup2(in, STDIN_FILENO);
    RedirectStandardOutput(output, pipe_fds[1], out_file.c_str());
#if defined(TRELVIK_UNDER_WINE)
    // One prefix, made once per test run; quiet, and without the dialogs
    // that Mono and Gecko would bring.
    setenv("WINEPREFIX", TRELVIK_WINE_PREFIX, 1);
    setenv("WINEDEBUG", "-all", 1);
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
#endif
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (pipe_fds[1] >= 0) close(pipe_fds[1]);

  Outcome run;
  int status = 0;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(30);
  for (;;) {
    if (pipe_fds[0] >= 0) {
      struct pollfd ready = {pipe_fds[0], POLLIN, 0};
      if (poll(&ready, 1, 50) > 0) {
        char chunk[4096];
        const ssize_t got = read(pipe_fds[0], chunk, sizeof chunk);
        if (got > 0) {
          run.out.append(chunk, static_cast<size_t>(got));
        } else {
          close(pipe_fds[0]);
          pipe_fds[0] = -1;
        }
      }
    } else if (waitpid(pid, &status, WNOHANG) == pid) {
      break;
    } else {
      usleep(2000);
    }
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      run.hung = true;
      break;
    }
  }
  if (pipe_fds[0] >= 0) close(pipe_fds[0]);
  if (output == Output::kFile) run.out = ReadFile(out_file);
  run.exited = WIFEXITED(status);
  run.exit_code = run.exited ? WEXITSTATUS(status) : -1;
  run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return run;
}

#if defined(TRELVIK_UNDER_WINE)
std::string Hex(std::string_view bytes) {
  std::string hex;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    hex += "0123456789ABCDEF"[byte >> 4];
    hex += "0123456789ABCDEF"[byte & 0xF];
  }
  return hex;
}

// The case's command line as a Windows user types it.
std::string CommandLine(const Case& c) {
  if (!c.command_line.empty()) return c.command_line;
  std::string line = "trelvik.exe";
  for (const std::string& arg : c.args)
    line += arg.find(' ') == std::string::npos ? " " + arg : " \"" + arg + "\"";
  return line;
}

// Wine's default drive Z: is the root of the host's file system.
std::string WindowsPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

// trelvik.exe started by the runner with exactly the case's command line.
std::vector<std::string> Command(const Case& c) {
  std::vector<std::string> command = {TRELVIK_WINE, TRELVIK_RUNNER,
                                      Hex(WindowsPath(TRELVIK_BINARY)),
                                      Hex(CommandLine(c))};
  if (c.output == Output::kClosed) command.push_back("no-stdout");
  return command;
}
#else
std::vector<std::string> Command(const Case& c) {
  std::vector<std::string> command = {TRELVIK_BINARY};
  command.insert(command.end(), c.args.begin(), c.args.end());
  return command;
}
#endif

// True when actual is expected, with each '?' in expected standing for one
// upper-case hexadecimal digit.
bool MatchesOutput(const std::string& expected, const std::string& actual) {
  if (expected.size() != actual.size()) return false;
  for (size_t i = 0; i < expected.size(); ++i) {
    if (expected[i] == '?') {
      if (!isdigit(actual[i]) && !(actual[i] >= 'A' && actual[i] <= 'F'))
        return false;
    } else if (expected[i] != actual[i]) {
      return false;
    }
  }
  return true;
}

// Shows control bytes so that a difference in line ends is visible.
std::string Visible(const std::string& bytes) {
  std::string shown;
  for (char c : bytes) {
    if (c == '\r')
      shown += "\\r";
    else if (c == '\n')
      shown += "\\n\n";
    else if (c == '\0')
      shown += "\\0";
    else
      shown += c;
  }
  return shown;
}

Outcome RunCase(const Case& c) {
  Sandbox sandbox;
  for (const File& file : c.files) sandbox.Make(file);
  return RunCommand(sandbox.dir(), Command(c), c.output);
}

// Names the case in test listings rather than dumping its bytes.
void PrintTo(const Case& c, std::ostream* os) { *os << c.shows; }

class EndToEnd : public ::testing::TestWithParam<Case> {};

TEST_P(EndToEnd, PrintsExactlyTheseBytesAndExitsWithThisCode) {
  const Case& c = GetParam();
  SCOPED_TRACE(c.shows);
  const Outcome run = RunCase(c);
  ASSERT_FALSE(run.hung) << "the run did not end";
  ASSERT_TRUE(run.exited) << "ended by signal " << run.signal;
  EXPECT_EQ(run.exit_code, c.exit_code);
  EXPECT_TRUE(MatchesOutput(c.out, run.out)) << "expected:\n"
                                             << Visible(c.out) << "\nactual:\n"
                                             << Visible(run.out);
}

std::vector<Case> CasesForThisHost() {
  std::vector<Case> cases;
  for (const Case& c : kCases)
    if (c.host == Host::kAny || c.host == kThisHost) cases.push_back(c);
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd,
                         ::testing::ValuesIn(CasesForThisHost()),
                         [](const auto& test) {
                           return std::string(test.param.name);
                         });

const Case& Named(std::string_view name) {
  return *std::find_if(std::begin(kCases), std::end(kCases),
                       [name](const Case& c) { return c.name == name; });
}

TEST(EndToEndStop, PrintsTheSameAddressOnEveryRun) {
  const Case& short_read = Named("EmptyFile");
  const Outcome first = RunCase(short_read);
  const Outcome second = RunCase(short_read);
  EXPECT_TRUE(MatchesOutput(short_read.out, first.out)) << Visible(first.out);
  EXPECT_EQ(first.out, second.out);
}

#if defined(TRELVIK_UNDER_WINE)
// As a user on Linux starts it: wine trelvik.exe, with Wine's own quoting.
TEST(EndToEndUnderWine, StartedByWineItselfPrintsTheTypicalRun) {
  const Case& typical = Named("TypicalRunOnTheSample");
  Sandbox sandbox;
  for (const File& file : typical.files) sandbox.Make(file);
  std::vector<std::string> command = {TRELVIK_WINE, TRELVIK_BINARY};
  command.insert(command.end(), typical.args.begin(), typical.args.end());
  const Outcome run = RunCommand(sandbox.dir(), command, Output::kPipe);
  EXPECT_EQ(run.exit_code, typical.exit_code);
  EXPECT_EQ(run.out, typical.out) << Visible(run.out);
}

struct Exception {
  const char* kind;
  int number;
};

// The program never raises a processor exception itself; a probe set up the
// same way raises each kind, and the top-level handler must stop on it.
class ProcessorException : public ::testing::TestWithParam<Exception> {};

TEST_P(ProcessorException, EndsInTheStopWithItsNumber) {
  const Exception& exception = GetParam();
  Sandbox sandbox;
  const Outcome run = RunCommand(
      sandbox.dir(), {TRELVIK_WINE, TRELVIK_EXCEPTION_PROBE, exception.kind},
      Output::kPipe);
  EXPECT_EQ(run.exit_code, exception.number);
  EXPECT_TRUE(MatchesOutput(Report(exception.number), run.out))
      << Visible(run.out);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ProcessorException,
                         ::testing::Values(Exception{"integer-division", 200},
                                           Exception{"float-division", 200},
                                           Exception{"float-invalid", 207},
                                           Exception{"access-violation", 216}),
                         [](const auto& test) {
                           std::string name = test.param.kind;
                           std::erase(name, '-');
                           return name;
                         });
#endif

}  // namespace
}  // namespace trelvik::testing
