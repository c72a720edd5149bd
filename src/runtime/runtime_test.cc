#include "runtime/runtime.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "runtime/console.h"
#include "test_support.h"

namespace trelvik {
namespace {

using namespace std::string_literals;

TEST(ReportLine, RightAlignsTheNumberAndPrintsEightHexDigits) {
  const struct {
    uint8_t number;
    uint32_t address;
    std::string line;
  } cases[] = {
      {100, 0x1A2B, "Runtime error 100 at 00001A2B\0"s},
      {38, 0xFFFFFFFF, "Runtime error  38 at FFFFFFFF\0"s},
      {5, 0xDEADBEEF, "Runtime error   5 at DEADBEEF\0"s},
      {0, 0, "Runtime error   0 at 00000000\0"s},
      {255, 0x10, "Runtime error 255 at 00000010\0"s},
  };
  for (const auto& c : cases) {
    const auto line = ReportLine(c.number, c.address);
    EXPECT_EQ(std::string(line.begin(), line.end()), c.line);
  }
}

TEST(RunError, WritesOutTheLinesThenTheReportAndExitsWithTheNumber) {
  // The channel writes to the real standard error so that the death test can
  // see, in order, what the stop sent out.
  class StderrChannel final : public OutputChannel {
   public:
    platform::OutputKind Kind() override {
      return platform::OutputKind::kStream;
    }
    platform::WriteOutcome Write(const char* data, size_t size) override {
      for (size_t i = 0; i < size; ++i) {
        // The zero byte would end the text that the death test matches.
        std::fputc(data[i] == '\0' ? '@' : data[i], stderr);
      }
      return {.stored = size};
    }
  } channel;
  OutputChannel* previous = SetConsoleChannel(&channel);
  EXPECT_EXIT(
      {
        ConsoleLine("buffered");
        SetIoResult(1392);
        IoCheck();
      },
      ::testing::ExitedWithCode(112),
      "^buffered\r\nRuntime error 112 at [0-9A-F]{8}@\r\n$");
  SetConsoleChannel(previous);
}

}  // namespace
}  // namespace trelvik
