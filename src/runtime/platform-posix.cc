// The POSIX back end of the runtime layer: Linux and other POSIX hosts.
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/platform.h"

// The first byte of the executable image, placed by the linker (GNU ld, gold
// and lld all define it).
extern "C" const char __executable_start;

namespace trelvik::platform {

void Start() {
  // A reader that went away must not kill the program: the write then fails
  // with EPIPE, which the program handles like any failed write.
  signal(SIGPIPE, SIG_IGN);
}

std::vector<std::string> Arguments(int argc, char** argv) {
  std::vector<std::string> words;
  // argc can be 0 when the caller passed an empty argument vector.
  for (int i = 1; i < argc; ++i) words.emplace_back(argv[i]);
  return words;
}

OutputKind StandardOutputKind() {
  struct stat status;
  if (fstat(STDOUT_FILENO, &status) != 0) return OutputKind::kUnusable;
  return S_ISCHR(status.st_mode) ? OutputKind::kDevice : OutputKind::kStream;
}

WriteOutcome WriteStandardOutput(const char* data, size_t size) {
  const ssize_t stored = write(STDOUT_FILENO, data, size);
  if (stored > 0) return {.stored = static_cast<size_t>(stored)};
  if (stored < 0 && errno == EINTR) return {.interrupted = true};
  // A write of a non-empty block that stores nothing without an error would
  // loop for ever; count it as an I/O error.
  return {.error = static_cast<uint32_t>(stored < 0 ? errno : EIO)};
}

uint32_t FileOpen(const std::string& name, FileHandle* handle) {
  // Some hosts would take an empty name for the current directory.
  if (name.empty()) return ENOENT;
  // O_NONBLOCK keeps the open of a FIFO without a writer from waiting; it is
  // cleared again below, so reads behave as usual.
  const int fd =
      open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return static_cast<uint32_t>(errno);
  struct stat status;
  if (fstat(fd, &status) != 0) {
    const int error = errno;
    close(fd);
    return static_cast<uint32_t>(error);
  }
  // Linux opens a directory for reading; the program must not.
  if (S_ISDIR(status.st_mode)) {
    close(fd);
    return EISDIR;
  }
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  *handle = fd;
  return 0;
}

uint32_t FileSeek(FileHandle handle, uint32_t offset) {
  if (lseek(static_cast<int>(handle), static_cast<off_t>(offset), SEEK_SET) < 0)
    return static_cast<uint32_t>(errno);
  return 0;
}

uint32_t FileRead(FileHandle handle, uint8_t* buffer, uint32_t count,
                  uint32_t* delivered) {
  ssize_t got;
  do {
    got = read(static_cast<int>(handle), buffer, count);
  } while (got < 0 && errno == EINTR);
  if (got < 0) return static_cast<uint32_t>(errno);
  *delivered = static_cast<uint32_t>(got);
  return 0;
}

uint32_t FilePosition(FileHandle handle, uint32_t* position) {
  const off_t at = lseek(static_cast<int>(handle), 0, SEEK_CUR);
  if (at < 0) return static_cast<uint32_t>(errno);
  *position = static_cast<uint32_t>(at);
  return 0;
}

bool FileClose(FileHandle handle) {
  return close(static_cast<int>(handle)) == 0;
}

uint32_t CodeOffset(const void* address) {
  return static_cast<uint32_t>(
      reinterpret_cast<uintptr_t>(address) -
      reinterpret_cast<uintptr_t>(&__executable_start));
}

void ProcessExit(uint8_t exit_code) { _exit(exit_code); }

}  // namespace trelvik::platform
