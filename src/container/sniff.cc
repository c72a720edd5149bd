// The container sniff.
#include "container/sniff.h"

#include <algorithm>
#include <array>

#include "runtime/console.h"
#include "runtime/runtime.h"

namespace trelvik {
namespace {

// A RIFF AVI file holds its form type "AVI " at byte 8 and, laid out the
// usual way, the identifier of the header list, "LIST", at byte 12. Bytes 0
// to 7 (the RIFF identifier and size) are not looked at.
constexpr std::string_view kAviSignature = "AVI LIST";
constexpr size_t kAviSignatureAt = 8;

// An MPEG-1 or MPEG-2 program stream (ISO/IEC 11172-1, ISO/IEC 13818-1)
// begins with a pack header, whose first four bytes are the pack start code.
constexpr std::array<uint8_t, 4> kPackStartCode = {0x00, 0x00, 0x01, 0xBA};

constexpr std::string_view kRecognized = "File format recognized as: ";

}  // namespace

ContainerKind SniffContainer(InputFile& file) {
  file.Seek(0);
  IoCheck();
  std::array<uint8_t, kProbeSize> probe;
  file.ReadBlock(probe.data(), kProbeSize);
  IoCheck();

  // The AVI test comes first: a file that would pass both is AVI.
  if (std::equal(kAviSignature.begin(), kAviSignature.end(),
                 probe.begin() + kAviSignatureAt,
                 [](char expected, uint8_t byte) {
                   return static_cast<uint8_t>(expected) == byte;
                 })) {
    ConsoleLine(kRecognized, kAvi);
    return kAvi;
  }
  if (std::equal(kPackStartCode.begin(), kPackStartCode.end(), probe.begin())) {
    ConsoleLine(kRecognized, kMpg);
    return kMpg;
  }
  ConsoleLine("File format is not recognized! Parsing as AVI...");
  return kAvi;
}

}  // namespace trelvik
