#include "container/frame_size_reader.h"

#include <gtest/gtest.h>

#include "fixtures.h"
#include "test_support.h"

namespace trelvik {
namespace {

using testing::Bytes;
using testing::MemoryFile;
using testing::Put;
using testing::ZeroStream;

std::string Show(FrameSize size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}

TEST(ReadAviFrameSize, TakesTheLow16BitsOfDwWidthAndDwHeight) {
  const struct {
    std::string bytes_64_to_71;
    std::string size;
  } cases[] = {
      {Bytes({0x40, 0x01, 0x00, 0x00, 0xF0, 0x00, 0x00, 0x00}), "320x240"},
      {Bytes({0x40, 0x01, 0x01, 0x00, 0xF0, 0x00, 0xFF, 0xFF}), "320x240"},
      {Bytes({0x00, 0x00, 0x01, 0x00, 0xF0, 0x00, 0x00, 0x00}), "0x240"},
      {Bytes({0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00}), "65535x65535"},
  };
  for (const auto& c : cases) {
    MemoryFile file(Put(std::string(80, 'J'), 64, c.bytes_64_to_71));
    EXPECT_EQ(Show(ReadAviFrameSize(file)), c.size);
    // Byte by byte, and nothing but bytes 64, 65, 68 and 69.
    EXPECT_EQ(file.reads(), (std::vector<MemoryFile::Read>{
                                {64, 1}, {65, 1}, {68, 1}, {69, 1}}));
    EXPECT_EQ(file.Position(), 70u);
  }
}

TEST(ReadAviFrameSize, FileEndingBeforeByte70StopsWith100) {
  testing::CapturedConsole console;
  for (size_t size : {0u, 64u, 65u, 68u, 69u}) {
    MemoryFile file(testing::AviFile(320, 240).substr(0, size));
    EXPECT_EXIT(ReadAviFrameSize(file), ::testing::ExitedWithCode(100), "")
        << size << " bytes";
  }
}

const std::string kCode = testing::SequenceHeaderCode();

TEST(ReadMpegFrameSize, ReadsTheFirstSequenceHeaderEndingBefore16000) {
  const struct {
    const char* what;
    std::string bytes;
    std::string size;
    uint32_t position_after;
  } cases[] = {
      {"352x240 at 100",
       ZeroStream(200, 100, kCode + Bytes({0x16, 0x00, 0xF0})), "352x240", 107},
      {"720x576 at 100",
       ZeroStream(200, 100, kCode + Bytes({0x2D, 0x02, 0x40})), "720x576", 107},
      {"12-bit maximum", ZeroStream(200, 20, kCode + Bytes({0xFF, 0xFF, 0xFF})),
       "4095x4095", 27},
      {"code overlapping a partial match",
       ZeroStream(200, 50, Bytes({0, 0, 0, 1, 0xB3, 0x16, 0x00, 0xF0})),
       "352x240", 58},
      {"the first code counts",
       Put(ZeroStream(200, 40, kCode + Bytes({0x16, 0x00, 0xF0})), 80,
           kCode + Bytes({0x2D, 0x02, 0x40})),
       "352x240", 47},
      {"the window of bytes 0 to 3 is never tested",
       Put(ZeroStream(200, 60, kCode + Bytes({0x16, 0x00, 0xF0})), 0,
           kCode + Bytes({0x2D, 0x02, 0x40})),
       "352x240", 67},
      {"last code found: 15996 to 15999",
       ZeroStream(16100, 15996, kCode + Bytes({0x16, 0x00, 0xF0})), "352x240",
       16003},
      // Past the limit there is no sequence header: the size stays 0 by 0
      // even where the bytes at 16000 would make a plausible one.
      {"code at 15997 is past the limit",
       ZeroStream(16100, 15997, kCode + Bytes({0x16, 0x00, 0xF0})), "0x0",
       16000},
      {"no code at all, plausible bytes at 16000",
       ZeroStream(16100, 16000, Bytes({0x16, 0x00, 0xF0})), "0x0", 16000},
      {"no code in a file of exactly 16000 bytes", ZeroStream(16000, 0, ""),
       "0x0", 16000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryFile file(c.bytes);
    EXPECT_EQ(Show(ReadMpegFrameSize(file)), c.size);
    EXPECT_EQ(file.Position(), c.position_after);
    // Every byte is a request of its own, from the start onwards.
    uint32_t expected_at = 0;
    for (const MemoryFile::Read& read : file.reads()) {
      ASSERT_EQ(read, (MemoryFile::Read{expected_at++, 1}));
    }
  }
}

TEST(ReadMpegFrameSize, FileEndingBeforeTheSizeStopsWith100) {
  testing::CapturedConsole console;
  const std::string cases[] = {
      ZeroStream(15999, 0, ""),  // no code, short
      ZeroStream(4, 0, ""),      // pack start code only
      ZeroStream(106, 100, kCode + Bytes({0x16, 0x00})),  // code, 2 bytes
      ZeroStream(16002, 15996,
                 kCode + Bytes({0x16, 0x00})),  // last code, 2 bytes
  };
  for (const std::string& bytes : cases) {
    MemoryFile file(bytes);
    EXPECT_EXIT(ReadMpegFrameSize(file), ::testing::ExitedWithCode(100), "")
        << bytes.size() << " bytes";
  }
}

}  // namespace
}  // namespace trelvik
