// The end-to-end harness.
#include "e2e_harness.h"

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
#include <sstream>

namespace trelvik::testing {

using namespace std::string_literals;

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

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

Sandbox::Sandbox() {
  std::string path =
      (std::filesystem::temp_directory_path() / "trelvik-e2e-XXXXXX").string();
  if (mkdtemp(path.data()) == nullptr) ADD_FAILURE() << "mkdtemp: " << errno;
  dir_ = path;
}

Sandbox::~Sandbox() {
  nftw(
      dir_.c_str(),
      [](const char* path, const struct stat*, int, struct FTW*) {
        return remove(path);
      },
      16, FTW_DEPTH | FTW_PHYS);
}

void Sandbox::Make(const File& file) const {
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

namespace {

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

}  // namespace

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
namespace {

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

}  // namespace

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

void ExpectCase(const Case& c) {
  SCOPED_TRACE(c.shows);
  const Outcome run = RunCase(c);
  ASSERT_FALSE(run.hung) << "the run did not end";
  ASSERT_TRUE(run.exited) << "ended by signal " << run.signal;
  EXPECT_EQ(run.exit_code, c.exit_code);
  EXPECT_TRUE(MatchesOutput(c.out, run.out)) << "expected:\n"
                                             << Visible(c.out) << "\nactual:\n"
                                             << Visible(run.out);
}

Outcome RunCase(const Case& c) {
  Sandbox sandbox;
  for (const File& file : c.files) sandbox.Make(file);
  return RunCommand(sandbox.dir(), Command(c), c.output);
}

}  // namespace trelvik::testing
