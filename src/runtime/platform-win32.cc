// The Win32 back end of the runtime layer: trelvik as a Windows console
// program. It calls the system directly and never the C runtime's stdio, so
// no text-mode translation can touch a byte the program writes.
#include <windows.h>

#include "runtime/command_line.h"
#include "runtime/platform.h"
#include "runtime/runtime.h"

// The first byte of the executable image, placed by the linker.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace trelvik::platform {
namespace {

// The run-time error numbers of the processor exceptions. Division by zero
// and the invalid operation are the program's own; the others follow the
// same family of numbers so that a log still says what went wrong.
constexpr uint8_t kDivisionByZero = 200;
constexpr uint8_t kStackOverflow = 202;
constexpr uint8_t kFloatOverflow = 205;
constexpr uint8_t kFloatUnderflow = 206;
constexpr uint8_t kInvalidOperation = 207;
constexpr uint8_t kIntegerOverflow = 215;
constexpr uint8_t kAccessViolation = 216;
constexpr uint8_t kOtherException = 217;

// SSE floating-point traps arrive on x64 as one code for all kinds; the
// status flags in MXCSR say which it was.
uint8_t FloatTrapNumber(DWORD mxcsr) {
  if (mxcsr & 0x01) return kInvalidOperation;  // IE
  if (mxcsr & 0x04) return kDivisionByZero;    // ZE
  if (mxcsr & 0x08) return kFloatOverflow;     // OE
  if (mxcsr & 0x10) return kFloatUnderflow;    // UE
  return kInvalidOperation;
}

uint8_t ExceptionNumber(const EXCEPTION_POINTERS& exception) {
  switch (exception.ExceptionRecord->ExceptionCode) {
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
      return kDivisionByZero;
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_STACK_CHECK:
      return kInvalidOperation;
    case EXCEPTION_FLT_OVERFLOW:
      return kFloatOverflow;
    case EXCEPTION_FLT_UNDERFLOW:
      return kFloatUnderflow;
    case STATUS_FLOAT_MULTIPLE_TRAPS:
    case STATUS_FLOAT_MULTIPLE_FAULTS:
      return FloatTrapNumber(exception.ContextRecord->MxCsr);
    case EXCEPTION_INT_OVERFLOW:
      return kIntegerOverflow;
    case EXCEPTION_STACK_OVERFLOW:
      return kStackOverflow;
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
      return kAccessViolation;
    default:
      return kOtherException;
  }
}

// The top-level handler: a processor exception of the program ends in the
// run-time error stop, at the address the system reports.
LONG WINAPI StopOnException(EXCEPTION_POINTERS* exception) {
  RunErrorAt(ExceptionNumber(*exception),
             exception->ExceptionRecord->ExceptionAddress);
}

size_t AnsiCharacter(std::string_view rest) {
  return static_cast<size_t>(CharNextA(rest.data()) - rest.data());
}

HANDLE AsHandle(FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

void Start() { SetUnhandledExceptionFilter(StopOnException); }

std::vector<std::string> Arguments(int, char**) {
  // The C runtime's own cutting has escape rules the program does not want.
  return CutCommandLine(GetCommandLineA(), AnsiCharacter);
}

OutputKind StandardOutputKind() {
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (output == nullptr || output == INVALID_HANDLE_VALUE)
    return OutputKind::kUnusable;
  switch (GetFileType(output)) {
    case FILE_TYPE_CHAR:
      return OutputKind::kDevice;
    case FILE_TYPE_UNKNOWN:
      return OutputKind::kUnusable;
    default:
      return OutputKind::kStream;
  }
}

WriteOutcome WriteStandardOutput(const char* data, size_t size) {
  // The console buffer and the report line are far below what one call
  // takes; larger requests go in pieces through the caller's loop.
  const DWORD asked = size < 0x40000000 ? static_cast<DWORD>(size) : 0x40000000;
  DWORD stored = 0;
  if (!WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), data, asked, &stored,
                 nullptr))
    return {.error = GetLastError()};
  // A write that stores nothing without an error would loop for ever.
  if (stored == 0) return {.error = ERROR_WRITE_FAULT};
  return {.stored = stored};
}

uint32_t FileOpen(const std::string& name, FileHandle* handle) {
  const HANDLE file = CreateFileA(
      name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  *handle = reinterpret_cast<FileHandle>(file);
  return 0;
}

uint32_t FileSeek(FileHandle handle, uint32_t offset) {
  // Without a high part the move is a signed 32-bit distance, and every
  // failure returns INVALID_SET_FILE_POINTER.
  if (SetFilePointer(AsHandle(handle), static_cast<LONG>(offset), nullptr,
                     FILE_BEGIN) == INVALID_SET_FILE_POINTER)
    return GetLastError();
  return 0;
}

uint32_t FileRead(FileHandle handle, uint8_t* buffer, uint32_t count,
                  uint32_t* delivered) {
  DWORD got = 0;
  if (!ReadFile(AsHandle(handle), buffer, count, &got, nullptr))
    return GetLastError();
  *delivered = got;
  return 0;
}

uint32_t FilePosition(FileHandle handle, uint32_t* position) {
  const DWORD at = SetFilePointer(AsHandle(handle), 0, nullptr, FILE_CURRENT);
  if (at == INVALID_SET_FILE_POINTER) return GetLastError();
  *position = at;
  return 0;
}

bool FileClose(FileHandle handle) { return CloseHandle(AsHandle(handle)); }

uint32_t CodeOffset(const void* address) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address) -
                               reinterpret_cast<uintptr_t>(&__ImageBase));
}

void ProcessExit(uint8_t exit_code) { ExitProcess(exit_code); }

}  // namespace trelvik::platform
