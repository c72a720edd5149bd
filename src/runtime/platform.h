// The operating-system services that trelvik rests on, and nothing more.
//
// Each host has one implementation of this header (platform-posix.cc,
// platform-win32.cc), picked by the build. Everything above src/runtime/
// reaches the system only through the runtime layer, which in turn reaches it
// only through these functions. Failures come back as the system's own error
// number (0 meaning success), which is what the I/O result stores.
#ifndef TRELVIK_RUNTIME_PLATFORM_H_
#define TRELVIK_RUNTIME_PLATFORM_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trelvik::platform {

// Prepares the process before the first console line.
void Start();

// The program's arguments after its own name, in order.
std::vector<std::string> Arguments(int argc, char** argv);

// What the standard output is: unusable (no handle, or one whose type cannot
// be told), a character device (a console, written out at every line end) or
// anything else (a file or a pipe, written out when the buffer is full).
enum class OutputKind { kUnusable, kDevice, kStream };
OutputKind StandardOutputKind();

// One write request to the standard output. It either stores at least one
// byte, or reports an interruption (to be asked again), or an error number.
struct WriteOutcome {
  size_t stored = 0;
  uint32_t error = 0;
  bool interrupted = false;
};
WriteOutcome WriteStandardOutput(const char* data, size_t size);

// The input file: opened for reading only, existing files only, others may
// go on reading and writing it. Positions are byte offsets from the start.
using FileHandle = intptr_t;
uint32_t FileOpen(const std::string& name, FileHandle* handle);
uint32_t FileSeek(FileHandle handle, uint32_t offset);
// One read request; *delivered may be less than count at the end of the file.
uint32_t FileRead(FileHandle handle, uint8_t* buffer, uint32_t count,
                  uint32_t* delivered);
uint32_t FilePosition(FileHandle handle, uint32_t* position);
// False when the system refuses the close.
bool FileClose(FileHandle handle);

// A code address as an offset into the executable image: the same from run to
// run of one binary, whatever address-space randomisation does.
uint32_t CodeOffset(const void* address);

// Ends the process at once with the exit code.
[[noreturn]] void ProcessExit(uint8_t exit_code);

}  // namespace trelvik::platform

#endif  // TRELVIK_RUNTIME_PLATFORM_H_
