// Stand-ins for the runtime's file and console, so that the readers and the
// console logic run on bytes held in memory.
#ifndef TRELVIK_TESTS_TEST_SUPPORT_H_
#define TRELVIK_TESTS_TEST_SUPPORT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/console.h"
#include "runtime/input_file.h"

namespace trelvik::testing {

// An InputFile over a byte string that remembers every read request.
class MemoryFile final : public InputFile {
 public:
  struct Read {
    uint32_t at;
    uint32_t count;
    bool operator==(const Read&) const = default;
  };

  explicit MemoryFile(std::string bytes) : bytes_(std::move(bytes)) {}

  void Seek(uint32_t offset) override { position_ = offset; }
  uint8_t ReadByte() override;
  void ReadBlock(uint8_t* buffer, uint32_t count) override;
  uint32_t Position() override { return position_; }

  const std::vector<Read>& reads() const { return reads_; }

 private:
  std::string bytes_;
  uint32_t position_ = 0;
  std::vector<Read> reads_;
};

// A console channel that keeps what it is given. Each call of Write stores at
// most max_per_write bytes, and every other call can be made to report an
// interruption first, as a busy pipe or a signal would.
class MemoryChannel final : public OutputChannel {
 public:
  explicit MemoryChannel(platform::OutputKind kind) : kind_(kind) {}

  platform::OutputKind Kind() override { return kind_; }
  platform::WriteOutcome Write(const char* data, size_t size) override;

  // Every request from the failing_from-th on (counted from 0) fails with
  // error.
  void FailFrom(size_t failing_from, uint32_t error) {
    failing_from_ = failing_from;
    error_ = error;
  }
  void set_max_per_write(size_t max) { max_per_write_ = max; }
  void set_interrupt_every_other(bool on) { interrupt_every_other_ = on; }

  // The bytes of each successful request, in order.
  const std::vector<std::string>& writes() const { return writes_; }
  std::string text() const;

 private:
  platform::OutputKind kind_;
  size_t max_per_write_ = SIZE_MAX;
  bool interrupt_every_other_ = false;
  size_t requests_ = 0;
  size_t failing_from_ = SIZE_MAX;
  uint32_t error_ = 0;
  std::vector<std::string> writes_;
};

// Sends the console to a MemoryChannel for the life of the object and starts
// from an I/O result of 0.
class CapturedConsole {
 public:
  explicit CapturedConsole(
      platform::OutputKind kind = platform::OutputKind::kDevice);
  ~CapturedConsole();
  CapturedConsole(const CapturedConsole&) = delete;
  CapturedConsole& operator=(const CapturedConsole&) = delete;

  MemoryChannel& channel() { return channel_; }
  std::string text() const { return channel_.text(); }

 private:
  MemoryChannel channel_;
  OutputChannel* previous_;
};

}  // namespace trelvik::testing

#endif  // TRELVIK_TESTS_TEST_SUPPORT_H_
