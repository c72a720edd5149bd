// The I/O check, the run-time error stop and the orderly end.
#include "runtime/runtime.h"

#include <string_view>

#include "runtime/console.h"
#include "runtime/platform.h"

namespace trelvik {
namespace {

uint32_t g_io_result = 0;

}  // namespace

uint32_t IoResult() { return g_io_result; }

void SetIoResult(uint32_t error) { g_io_result = error; }

uint32_t TakeIoResult() {
  const uint32_t result = g_io_result;
  g_io_result = 0;
  return result;
}

void IoCheck() {
  if (g_io_result == 0) return;
  RunErrorAt(static_cast<uint8_t>(g_io_result & 0xFF),
             __builtin_return_address(0));
}

void RunError(uint8_t error_number) {
  RunErrorAt(error_number, __builtin_return_address(0));
}

std::array<char, kReportLineSize> ReportLine(uint8_t error_number,
                                             uint32_t address) {
  static constexpr std::string_view kTemplate = "Runtime error     at 00000000";
  std::array<char, kReportLineSize> line{};  // the last byte stays 0
  kTemplate.copy(line.data(), kTemplate.size());
  // The number ends at the 17th character; the blanks to its left stay.
  size_t end = 17;
  unsigned number = error_number;
  do {
    line[--end] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number != 0);
  // Eight hexadecimal digits from the 22nd to the 29th character.
  for (size_t i = 28; i >= 21; --i) {
    line[i] = "0123456789ABCDEF"[address & 0xF];
    address >>= 4;
  }
  return line;
}

void RunErrorAt(uint8_t error_number, const void* address) {
  // The lines printed before the stop come first, then the report, written
  // straight to the standard output; a failure there can no longer be told.
  ConsoleWriteOut();
  const auto line = ReportLine(error_number, platform::CodeOffset(address));
  ConsoleWriteDirect(std::string_view(line.data(), line.size()));
  ConsoleWriteDirect("\r\n");
  EndProgram(error_number);
}

void EndProgram(uint8_t exit_code) {
  // A failure of this last write-out changes nothing: the answer is the exit
  // code.
  ConsoleWriteOut();
  platform::ProcessExit(exit_code);
}

}  // namespace trelvik
