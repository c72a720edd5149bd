#include "fixtures.h"

namespace trelvik::testing {
namespace {

std::string Le32(uint32_t value) {
  return Bytes({static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                static_cast<uint8_t>(value >> 16),
                static_cast<uint8_t>(value >> 24)});
}

}  // namespace

std::string Bytes(std::initializer_list<uint8_t> values) {
  return std::string(values.begin(), values.end());
}

std::string Put(std::string file, size_t offset, std::string_view bytes) {
  if (file.size() < offset + bytes.size()) file.resize(offset + bytes.size());
  file.replace(offset, bytes.size(), bytes);
  return file;
}

std::string AviFile(uint32_t width, uint32_t height) {
  std::string avih = "avih" + Le32(56);
  for (uint32_t field :
       {40000u, 0u, 0u, 16u, 0u, 0u, 1u, 0u, width, height, 0u, 0u, 0u, 0u})
    avih += Le32(field);
  const std::string header_list = "LIST" + Le32(4 + 64) + "hdrl" + avih;
  const std::string movi = "LIST" + Le32(4) + "movi";
  return "RIFF" +
         Le32(static_cast<uint32_t>(4 + header_list.size() + movi.size())) +
         "AVI " + header_list + movi;
}

std::string MpegStream(uint16_t width, uint16_t height, size_t code_at) {
  // MPEG-2 pack header: SCR 0, mux rate 2000 kbit/s, no stuffing.
  const std::string pack = Bytes({0x00, 0x00, 0x01, 0xBA, 0x44, 0x00, 0x04,
                                  0x00, 0x04, 0x01, 0x01, 0x89, 0xC3, 0xF8});
  const std::string sequence_header =
      Bytes({0x00, 0x00, 0x01, 0xB3, static_cast<uint8_t>(width >> 4),
             static_cast<uint8_t>((width & 0x0F) << 4 | height >> 8),
             static_cast<uint8_t>(height),
             // 4:3, 25 frames a second, bit rate, marker, buffer size.
             0x23, 0x00, 0x0F, 0xFF, 0xE0,
             // A group of pictures follows.
             0x00, 0x00, 0x01, 0xB8, 0x00, 0x08, 0x00, 0x00});
  return Put(pack, code_at, sequence_header);
}

std::string SequenceHeaderCode() { return Bytes({0x00, 0x00, 0x01, 0xB3}); }

std::string ZeroStream(size_t size, size_t offset, std::string_view bytes) {
  return Put(Put(std::string(size, '\0'), 0, Bytes({0x00, 0x00, 0x01, 0xBA})),
             offset, bytes);
}

}  // namespace trelvik::testing
