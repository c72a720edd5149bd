#include "runtime/console.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace trelvik {
namespace {

using platform::OutputKind;
using testing::CapturedConsole;
using Writes = std::vector<std::string>;

void Line(std::string_view text, uint16_t number) {
  ConsoleWrite(text);
  ConsoleWrite(number);
  ConsoleLineEnd();
}

TEST(Console, DeviceGetsEveryLineAtItsEnd) {
  CapturedConsole console(OutputKind::kDevice);
  Line("Width: ", 0);
  EXPECT_EQ(console.channel().writes(), Writes({"Width: 0\r\n"}));
  Line("Height: ", 65535);
  EXPECT_EQ(console.channel().writes(),
            Writes({"Width: 0\r\n", "Height: 65535\r\n"}));
}

TEST(Console, FileOrPipeGetsTheSameBytesWhenTheBufferFillsAndAtTheEnd) {
  CapturedConsole console(OutputKind::kStream);
  Line("a", 1);
  EXPECT_EQ(console.channel().writes(), Writes{});
  const std::string long_text(kConsoleBufferSize + 10, 'n');
  Line(long_text, 2);
  ASSERT_EQ(console.channel().writes().size(), 1u);
  EXPECT_EQ(console.channel().writes()[0].size(), kConsoleBufferSize);
  ConsoleWriteOut();
  EXPECT_EQ(console.text(), "a1\r\n" + long_text + "2\r\n");
  EXPECT_EQ(IoResult(), 0u);
}

TEST(Console, UnusableOutputGives105AndWritesNothing) {
  CapturedConsole console(OutputKind::kUnusable);
  Line("", 0);
  EXPECT_EQ(IoResult(), kConsoleUnusable);
  ConsoleWriteOut();
  EXPECT_EQ(console.channel().writes(), Writes{});
}

TEST(Console, FailedWriteSetsTheErrorAndSkipsTheRestUntilTheCheck) {
  CapturedConsole console(OutputKind::kDevice);
  console.channel().FailFrom(1, 28);
  Line("first", 1);
  Line("second", 2);
  EXPECT_EQ(IoResult(), 28u);
  // Nothing more is even tried while the error waits for its check.
  console.channel().FailFrom(SIZE_MAX, 0);
  Line("third", 3);
  EXPECT_EQ(console.channel().writes(), Writes({"first1\r\n"}));
}

TEST(Console, PartialAndInterruptedWritesLoseNoByte) {
  CapturedConsole console(OutputKind::kDevice);
  console.channel().set_max_per_write(3);
  console.channel().set_interrupt_every_other(true);
  Line("Video resolution: 320x", 240);
  EXPECT_EQ(IoResult(), 0u);
  EXPECT_EQ(console.text(), "Video resolution: 320x240\r\n");
  EXPECT_EQ(console.channel().writes().size(), 9u);
}

TEST(Console, CheckedLineStopsWithTheLow8BitsOfTheError) {
  CapturedConsole console(OutputKind::kDevice);
  console.channel().FailFrom(0, 1392);
  EXPECT_EXIT(ConsoleLine("x"), ::testing::ExitedWithCode(112), "");
  console.channel().FailFrom(0, 512);
  EXPECT_EXIT(ConsoleLine("x"), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace trelvik
