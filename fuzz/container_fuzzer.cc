// libFuzzer target for the container sniff and the frame size readers, run
// on the input bytes through an in-memory file, with a plain model of the
// two header layouts as the judge.
//
// A short read would end the program in the run-time error stop, which a
// fuzzer cannot survive; here the bytes past the end read as zeros instead,
// and the model reads them the same way. The stop itself is covered by the
// end-to-end runs on every prefix of the real files.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

#include "container/frame_size_reader.h"
#include "container/sniff.h"
#include "runtime/input_file.h"
#include "test_support.h"

namespace trelvik {
namespace {

class ZeroPaddedFile final : public InputFile {
 public:
  explicit ZeroPaddedFile(std::string bytes) : bytes_(std::move(bytes)) {}

  void Seek(uint32_t offset) override { position_ = offset; }
  uint8_t ReadByte() override {
    uint8_t byte;
    ReadBlock(&byte, 1);
    return byte;
  }
  void ReadBlock(uint8_t* buffer, uint32_t count) override {
    for (uint32_t i = 0; i < count; ++i, ++position_)
      buffer[i] = position_ < bytes_.size()
                      ? static_cast<uint8_t>(bytes_[position_])
                      : uint8_t{0};
    furthest_ = std::max(furthest_, position_);
  }
  uint32_t Position() override { return position_; }

  // One past the last byte read.
  uint32_t furthest() const { return furthest_; }

 private:
  std::string bytes_;
  uint32_t position_ = 0;
  uint32_t furthest_ = 0;
};

void Fail(const char* what) {
  std::fprintf(stderr, "container_fuzzer: %s\n", what);
  std::abort();
}

// The model: the same layouts, read straight off the byte string.
struct Model {
  explicit Model(const uint8_t* data, size_t size)
      : bytes(reinterpret_cast<const char*>(data), size) {
    bytes.resize(std::max<size_t>(size, 16010), '\0');
  }
  uint8_t At(size_t i) const { return static_cast<uint8_t>(bytes[i]); }

  ContainerKind Kind() const {
    if (bytes.compare(8, 8, "AVI LIST") == 0) return kAvi;
    if (bytes.compare(0, 4, std::string("\0\0\1\xBA", 4)) == 0) return kMpg;
    return kAvi;  // not recognised, read as AVI
  }
  FrameSize Avi() const {
    return {static_cast<uint16_t>(At(64) | At(65) << 8),
            static_cast<uint16_t>(At(68) | At(69) << 8)};
  }
  // The first sequence header code that starts at byte 1 or later and ends
  // by byte 16000; bytes 0 to 3 hold the pack start code.
  FrameSize Mpeg() const {
    const size_t code = bytes.find(std::string("\0\0\1\xB3", 4), 1);
    if (code == std::string::npos || code + 4 > 16000) return {};
    return {static_cast<uint16_t>(At(code + 4) << 4 | At(code + 5) >> 4),
            static_cast<uint16_t>((At(code + 5) & 0x0F) << 8 | At(code + 6))};
  }

  std::string bytes;
};

}  // namespace
}  // namespace trelvik

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace trelvik;
  testing::CapturedConsole console;
  ZeroPaddedFile file(std::string(reinterpret_cast<const char*>(data), size));
  const Model model(data, size);

  const ContainerKind kind = SniffContainer(file);
  if (kind != model.Kind()) Fail("the sniff disagrees with the model");
  const FrameSize frame =
      kind == kMpg ? ReadMpegFrameSize(file) : ReadAviFrameSize(file);
  const FrameSize expected = kind == kMpg ? model.Mpeg() : model.Avi();
  if (frame.width != expected.width || frame.height != expected.height)
    Fail("the frame size disagrees with the model");
  // The scan stops at 16000 and reads three bytes after a code found there.
  if (file.furthest() > 16003) Fail("read beyond the scan limit");
  return 0;
}
