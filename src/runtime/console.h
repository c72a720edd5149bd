// The console output: the program's one output channel.
//
// Lines are built from pieces (texts written byte for byte, numbers in plain
// decimal) and end in CR LF on every host. The bytes are buffered: on a
// character device they are written out at every line end, to a file or a
// pipe when the buffer is full and when the program ends. The output is opened
// at its first write; a standard output that cannot be used gives the I/O
// result 105. While the I/O result is not 0, writes do nothing, so a line that
// failed part-way is caught once, by the I/O check after its line end.
#ifndef TRELVIK_RUNTIME_CONSOLE_H_
#define TRELVIK_RUNTIME_CONSOLE_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/platform.h"
#include "runtime/runtime.h"

namespace trelvik {

constexpr size_t kConsoleBufferSize = 4096;
// The I/O result of a line when the standard output cannot be used at all.
constexpr uint32_t kConsoleUnusable = 105;

void ConsoleWrite(std::string_view text);
void ConsoleWrite(uint16_t number);
void ConsoleLineEnd();

// A console line: the pieces in order, CR LF, then the I/O check.
template <typename... Pieces>
void ConsoleLine(const Pieces&... pieces) {
  (ConsoleWrite(pieces), ...);
  ConsoleLineEnd();
  IoCheck();
}

// Writes out whatever the buffer holds. A failure is not reported: this is
// only used when the program ends.
void ConsoleWriteOut();

// Writes bytes straight to the standard output, past the buffer, ignoring
// failures: the report line of the run-time error stop.
void ConsoleWriteDirect(std::string_view bytes);

// Where the console's bytes go: the standard output, or a stand-in in tests.
class OutputChannel {
 public:
  virtual platform::OutputKind Kind() = 0;
  virtual platform::WriteOutcome Write(const char* data, size_t size) = 0;

 protected:
  ~OutputChannel() = default;
};

// Points the console at another channel, closed and empty as at the start of
// a run, and returns the channel it used before.
OutputChannel* SetConsoleChannel(OutputChannel* channel);

// Writes all of bytes with as many requests as the channel needs: a write
// that stores only part of them is not done yet, and an interrupted one is
// asked again. Returns 0 or the error number of the failing request.
uint32_t WriteFully(OutputChannel& channel, std::string_view bytes);

}  // namespace trelvik

#endif  // TRELVIK_RUNTIME_CONSOLE_H_
