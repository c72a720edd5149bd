// The buffered console output over the standard output.
#include "runtime/console.h"

#include <algorithm>

namespace trelvik {
namespace {

class StandardOutput final : public OutputChannel {
 public:
  platform::OutputKind Kind() override {
    return platform::StandardOutputKind();
  }
  platform::WriteOutcome Write(const char* data, size_t size) override {
    return platform::WriteStandardOutput(data, size);
  }
};

StandardOutput g_standard_output;

struct Console {
  OutputChannel* channel = &g_standard_output;
  bool open = false;
  bool device = false;
  size_t used = 0;
  char buffer[kConsoleBufferSize];
};

Console g_console;

// Opens the output at the first write of the run; false when it cannot be.
bool EnsureOpen() {
  if (g_console.open) return true;
  const platform::OutputKind kind = g_console.channel->Kind();
  if (kind == platform::OutputKind::kUnusable) {
    SetIoResult(kConsoleUnusable);
    return false;
  }
  g_console.open = true;
  g_console.device = kind == platform::OutputKind::kDevice;
  return true;
}

// Hands the buffered bytes to the channel; they count as gone either way.
uint32_t Flush() {
  const std::string_view pending(g_console.buffer, g_console.used);
  g_console.used = 0;
  return pending.empty() ? 0 : WriteFully(*g_console.channel, pending);
}

}  // namespace

uint32_t WriteFully(OutputChannel& channel, std::string_view bytes) {
  while (!bytes.empty()) {
    const platform::WriteOutcome outcome =
        channel.Write(bytes.data(), bytes.size());
    if (outcome.interrupted) continue;
    if (outcome.error != 0) return outcome.error;
    bytes.remove_prefix(std::min(outcome.stored, bytes.size()));
  }
  return 0;
}

void ConsoleWrite(std::string_view text) {
  if (IoResult() != 0 || !EnsureOpen()) return;
  while (!text.empty()) {
    if (g_console.used == kConsoleBufferSize) {
      if (const uint32_t error = Flush(); error != 0) {
        SetIoResult(error);
        return;
      }
    }
    const size_t room = kConsoleBufferSize - g_console.used;
    const size_t count = std::min(room, text.size());
    text.copy(g_console.buffer + g_console.used, count);
    g_console.used += count;
    text.remove_prefix(count);
  }
}

void ConsoleWrite(uint16_t number) {
  char digits[5];
  size_t start = sizeof digits;
  do {
    digits[--start] = static_cast<char>('0' + number % 10);
    number = static_cast<uint16_t>(number / 10);
  } while (number != 0);
  ConsoleWrite(std::string_view(digits + start, sizeof digits - start));
}

void ConsoleLineEnd() {
  ConsoleWrite("\r\n");
  if (IoResult() != 0 || !g_console.device) return;
  if (const uint32_t error = Flush(); error != 0) SetIoResult(error);
}

void ConsoleWriteOut() {
  if (g_console.open) Flush();
}

void ConsoleWriteDirect(std::string_view bytes) {
  WriteFully(*g_console.channel, bytes);
}

OutputChannel* SetConsoleChannel(OutputChannel* channel) {
  OutputChannel* previous = g_console.channel;
  g_console.channel = channel;
  g_console.open = false;
  g_console.device = false;
  g_console.used = 0;
  return previous;
}

}  // namespace trelvik
