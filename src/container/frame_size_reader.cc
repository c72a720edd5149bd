// The AVI and MPEG frame size readers. Every byte is its own read request,
// as the headers are tiny and the scan is bounded.
#include "container/frame_size_reader.h"

#include <array>

#include "runtime/runtime.h"

namespace trelvik {
namespace {

// RIFF AVI: dwWidth and dwHeight of the main AVI header ('avih'), stored least
// significant byte first.
constexpr uint32_t kAviWidthAt = 64;
constexpr uint32_t kAviHeightAt = 68;

// ISO/IEC 11172-2 and ISO/IEC 13818-2 sequence_header_code.
constexpr std::array<uint8_t, 4> kSequenceHeaderCode = {0x00, 0x00, 0x01, 0xB3};

uint8_t CheckedReadByte(InputFile& file) {
  const uint8_t byte = file.ReadByte();
  IoCheck();
  return byte;
}

// The low 16 bits of the little-endian number at offset.
uint16_t ReadLowWordAt(InputFile& file, uint32_t offset) {
  file.Seek(offset);
  IoCheck();
  const uint8_t low = CheckedReadByte(file);
  const uint8_t high = CheckedReadByte(file);
  return static_cast<uint16_t>(low | high << 8);
}

}  // namespace

FrameSize ReadAviFrameSize(InputFile& file) {
  FrameSize size;
  size.width = ReadLowWordAt(file, kAviWidthAt);
  size.height = ReadLowWordAt(file, kAviHeightAt);
  return size;
}

bool FindMpegSequenceHeader(InputFile& file) {
  file.Seek(0);
  IoCheck();
  // The window of bytes 0 to 3 is filled but never tested: a program stream
  // holds its pack start code there.
  std::array<uint8_t, 4> window;
  for (uint8_t& byte : window) byte = CheckedReadByte(file);
  for (;;) {
    const uint8_t next = CheckedReadByte(file);
    window = {window[1], window[2], window[3], next};
    if (window == kSequenceHeaderCode) return true;
    const uint32_t position = file.Position();
    IoCheck();
    if (position >= kMpegScanLimit) return false;
  }
}

FrameSize ReadMpegFrameSize(InputFile& file) {
  // Without a sequence header there is no size to read: the bytes after the
  // scan limit are arbitrary stream data, so the size stays 0 by 0 and the
  // run reports that it could not read the file.
  if (!FindMpegSequenceHeader(file)) return {};
  const uint8_t b0 = CheckedReadByte(file);
  const uint8_t b1 = CheckedReadByte(file);
  FrameSize size;
  size.width = static_cast<uint16_t>(b0 << 4 | b1 >> 4);
  const uint8_t b2 = CheckedReadByte(file);
  size.height = static_cast<uint16_t>((b1 & 0x0F) << 8 | b2);
  return size;
}

}  // namespace trelvik
