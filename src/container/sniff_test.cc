#include "container/sniff.h"

#include <gtest/gtest.h>

#include "fixtures.h"
#include "test_support.h"

namespace trelvik {
namespace {

using namespace std::string_literals;
using testing::Bytes;
using testing::MemoryFile;

constexpr std::string_view kAviLine = "File format recognized as: AVI\r\n";
constexpr std::string_view kMpgLine = "File format recognized as: MPG\r\n";
constexpr std::string_view kUnknownLine =
    "File format is not recognized! Parsing as AVI...\r\n";

TEST(SniffContainer, LooksAtBytes8To15ThenAtThePackStartCode) {
  const std::string pack = Bytes({0x00, 0x00, 0x01, 0xBA});
  const struct {
    const char* what;
    std::string bytes;
    ContainerKind kind;
    std::string_view line;
  } cases[] = {
      {"RIFF AVI", testing::AviFile(320, 240), kAvi, kAviLine},
      {"program stream", testing::MpegStream(352, 240), kMpg, kMpgLine},
      {"exactly 16 bytes", "RIFF\1\2\3\4AVI LIST", kAvi, kAviLine},
      {"AVI LIST without RIFF", "XXXX\0\0\0\0AVI LIST"s, kAvi, kAviLine},
      {"both signatures", pack + "\0\0\0\0AVI LIST"s, kAvi, kAviLine},
      {"lower case", "RIFF\0\0\0\0avi list"s, kAvi, kUnknownLine},
      {"JUNK before the header list", "RIFF\0\0\0\0AVI JUNK"s, kAvi,
       kUnknownLine},
      {"video elementary stream", Bytes({0, 0, 1, 0xB3}) + std::string(12, 0),
       kAvi, kUnknownLine},
      {"pack start code at 1", "\0"s + pack + std::string(11, 0), kAvi,
       kUnknownLine},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::CapturedConsole console;
    MemoryFile file(c.bytes);
    EXPECT_EQ(SniffContainer(file), c.kind);
    EXPECT_EQ(console.text(), c.line);
    // One block of 16 bytes from the start, and the position stays behind it.
    EXPECT_EQ(file.reads(), (std::vector<MemoryFile::Read>{{0, 16}}));
    EXPECT_EQ(file.Position(), 16u);
  }
}

TEST(SniffContainer, FileShorterThanTheProbeStopsWith100) {
  testing::CapturedConsole console;
  MemoryFile file("RIFF\0\0\0\0AVI LIS"s);
  EXPECT_EXIT(SniffContainer(file), ::testing::ExitedWithCode(100), "");
}

}  // namespace
}  // namespace trelvik
