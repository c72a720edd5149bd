// Starts a Windows program with exactly the command line the tests give, so
// that quotes, blanks and empty quote pairs reach it as a user would type
// them; Wine's own argv-to-command-line quoting would get in the way.
//
//   command_line_runner PROGRAM_HEX COMMAND_LINE_HEX [no-stdout]
//
// Both texts come hex-encoded, as the only quoting-proof form. With
// no-stdout the program starts without a standard output handle. The
// runner's exit code is the program's; 250 means it could not be started.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

std::string FromHex(const char* hex) {
  std::string text;
  for (; hex[0] != '\0' && hex[1] != '\0'; hex += 2) {
    const std::string pair(hex, 2);
    text += static_cast<char>(std::stoi(pair, nullptr, 16));
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 250;
  const std::string program = FromHex(argv[1]);
  std::string command_line = FromHex(argv[2]);
  const bool no_stdout = argc > 3 && std::strcmp(argv[3], "no-stdout") == 0;

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (no_stdout) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = nullptr;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  }
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr,
                      TRUE, 0, nullptr, nullptr, &startup, &process))
    return 250;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exit_code = 250;
  GetExitCodeProcess(process.hProcess, &exit_code);
  ExitProcess(exit_code);
}
