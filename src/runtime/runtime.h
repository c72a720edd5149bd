// The I/O result, the I/O check, the run-time error stop and the orderly end.
//
// Every file operation and every console line sets the I/O result when it
// fails and is followed by the I/O check; the first non-zero result the check
// meets ends the program in the run-time error stop, which prints its report
// line and exits with the error number. Nothing else handles a failure, so the
// code above this layer reads as a straight sequence of steps.
#ifndef TRELVIK_RUNTIME_RUNTIME_H_
#define TRELVIK_RUNTIME_RUNTIME_H_

#include <array>
#include <cstddef>
#include <cstdint>

namespace trelvik {

// The error number of the last failed file or console operation; 0 while
// none has failed. A successful operation leaves it alone.
uint32_t IoResult();
void SetIoResult(uint32_t error);
// Returns the I/O result and resets it to 0 (used once, right after the open).
uint32_t TakeIoResult();

// Ends the program in the run-time error stop when the I/O result is not 0,
// with its low 8 bits as error number and the place just behind the call as
// error address.
[[gnu::noinline]] void IoCheck();

// The run-time error stop at the place just behind the call.
[[noreturn, gnu::noinline]] void RunError(uint8_t error_number);
// The run-time error stop with an error address given by the caller.
[[noreturn]] void RunErrorAt(uint8_t error_number, const void* address);

// Writes out what the console holds and ends the process with the exit code.
[[noreturn]] void EndProgram(uint8_t exit_code);

// The report line of the run-time error stop without its line end:
// "Runtime error", the error number right-aligned in three characters, " at "
// and eight upper-case hexadecimal digits, then one zero byte.
constexpr size_t kReportLineSize = 30;
std::array<char, kReportLineSize> ReportLine(uint8_t error_number,
                                             uint32_t address);

}  // namespace trelvik

#endif  // TRELVIK_RUNTIME_RUNTIME_H_
