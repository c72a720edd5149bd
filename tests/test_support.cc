#include "test_support.h"

#include <algorithm>

#include "runtime/runtime.h"

namespace trelvik::testing {

uint8_t MemoryFile::ReadByte() {
  uint8_t byte = 0;
  ReadBlock(&byte, 1);
  return byte;
}

void MemoryFile::ReadBlock(uint8_t* buffer, uint32_t count) {
  reads_.push_back({position_, count});
  uint32_t delivered = 0;
  while (delivered < count && position_ < bytes_.size()) {
    buffer[delivered++] = static_cast<uint8_t>(bytes_[position_++]);
  }
  if (delivered < count) SetIoResult(kShortRead);
}

platform::WriteOutcome MemoryChannel::Write(const char* data, size_t size) {
  const size_t request = requests_++;
  if (request >= failing_from_) return {.error = error_};
  if (interrupt_every_other_ && request % 2 == 0) return {.interrupted = true};
  const size_t stored = std::min(size, max_per_write_);
  writes_.emplace_back(data, stored);
  return {.stored = stored};
}

std::string MemoryChannel::text() const {
  std::string all;
  for (const std::string& piece : writes_) all += piece;
  return all;
}

CapturedConsole::CapturedConsole(platform::OutputKind kind)
    : channel_(kind), previous_(SetConsoleChannel(&channel_)) {
  SetIoResult(0);
}

CapturedConsole::~CapturedConsole() {
  SetConsoleChannel(previous_);
  SetIoResult(0);
}

}  // namespace trelvik::testing
