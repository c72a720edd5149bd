// The end-to-end harness: runs the built trelvik (or trelvik.exe under Wine)
// in a folder of its own, with its standard output wherever a case says, and
// gives back the whole output and the exit code. Cases are data (what they
// show, the files they need, the arguments, the expected bytes and exit code,
// where the standard output goes); the test files hold them.
//
// In expected output, '?' stands for one upper-case hexadecimal digit: the
// eight digits of an error address depend on the build, not on the input.
//
// The harness is built twice: for the native trelvik and, with
// TRELVIK_UNDER_WINE, for trelvik.exe run under Wine. Most cases hold on
// both; a case tagged with a host holds only there, because it rests on what
// that host does: its error numbers, its file names, its command line.
#ifndef TRELVIK_TESTS_E2E_HARNESS_H_
#define TRELVIK_TESTS_E2E_HARNESS_H_

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace trelvik::testing {

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
inline constexpr Host kThisHost = Host::kWindows;
#else
inline constexpr Host kThisHost = Host::kPosix;
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

// The program's lines, as the expected output is written.
inline std::string L(std::string_view text) {
  return std::string(text) + "\r\n";
}

inline const std::string kBanner =
    L("") + L("Created for the video conversion script for Motorola phones") +
    L("");
inline const std::string kUsage =
    L("Usage: trelvik.exe input_filename [-ctX] [-cbY] [-clZ] [-crN]") +
    L("Where '-ct' is top cropping, '-cb' is bottom and etc, 'X', 'Y', 'Z', "
      "'N' are the cropping values.");
inline const std::string kCannotOpen = L("Error opening file!");
inline const std::string kCannotRead = L("Error reading the file data!");
inline const std::string kAvi = L("File format recognized as: AVI");
inline const std::string kMpg = L("File format recognized as: MPG");
inline const std::string kUnknown =
    L("File format is not recognized! Parsing as AVI...");
inline constexpr std::string_view kNoCrops = "Top=0 Bottom=0 Left=0 Right=0";

std::string Opened(std::string_view name);
// The report line of the stop with this number, any address.
std::string Report(int number);
// The four lines from the resolution to the calculated vertical size.
std::string Result(std::string_view resolution, std::string_view crops, int raw,
                   int calculated);

std::string ReadFile(const std::string& path);

// A folder of its own for each run, removed afterwards.
class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::string& dir() const { return dir_; }
  void Make(const File& file) const;

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

// Runs the command (argv[0] a path) in dir; a run that takes more than half
// a minute is killed and marked as hung.
Outcome RunCommand(const std::string& dir,
                   const std::vector<std::string>& command, Output output);

// The command that runs the case's program on this host.
std::vector<std::string> Command(const Case& c);

// Runs the case in a sandbox holding its files.
Outcome RunCase(const Case& c);

// Runs the case and checks that it ends as the case says.
void ExpectCase(const Case& c);

// True when actual is expected, with each '?' in expected standing for one
// upper-case hexadecimal digit.
bool MatchesOutput(const std::string& expected, const std::string& actual);

// Shows control bytes so that a difference in line ends is visible.
std::string Visible(const std::string& bytes);

// Names the case in test listings rather than dumping its bytes.
inline void PrintTo(const Case& c, std::ostream* os) { *os << c.shows; }

}  // namespace trelvik::testing

#endif  // TRELVIK_TESTS_E2E_HARNESS_H_
