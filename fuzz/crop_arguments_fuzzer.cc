// libFuzzer target for the crop scan: the input, cut at zero bytes, is the
// argument list (the first piece is the file name). The scan's result is
// checked against a model of the number syntax written another way: the
// digits are checked as a whole and their value compared as a big number.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "crop_arguments.h"
#include "runtime/arguments.h"

namespace trelvik {
namespace {

bool IsDigitOf(char c, bool hex) {
  if (c >= '0' && c <= '9') return true;
  return hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
}

int DigitValue(char c) {
  if (c <= '9') return c - '0';
  return (c | 0x20) - 'a' + 10;
}

// The value of text under the number syntax, or 0 when it is none.
int32_t ModelValue(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool hex = false;
  if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
    hex = true;
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    hex = true;
    text.remove_prefix(2);
  }
  if (text.empty()) return 0;
  for (const char c : text)
    if (!IsDigitOf(c, hex)) return 0;
  // Leading zeros carry nothing; past that, too many digits are too large.
  while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
  if (text.size() > (hex ? 8u : 10u)) return 0;
  uint64_t magnitude = 0;
  for (const char c : text)
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(DigitValue(c));
  if (hex) {
    const uint32_t bits = static_cast<uint32_t>(magnitude);
    return static_cast<int32_t>(negative ? 0u - bits : bits);
  }
  if (magnitude > (negative ? 2147483648u : 2147483647u)) return 0;
  return static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude)
                                       : static_cast<int64_t>(magnitude));
}

void Fail(const char* what, std::string_view text) {
  std::fprintf(stderr, "crop_arguments_fuzzer: %s for \"%.*s\"\n", what,
               static_cast<int>(text.size()), text.data());
  std::abort();
}

}  // namespace
}  // namespace trelvik

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace trelvik;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> words;
  for (size_t start = 0;;) {
    const size_t end = input.find('\0', start);
    words.emplace_back(input.substr(start, end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }

  uint16_t model[4] = {0, 0, 0, 0};  // top, bottom, left, right
  static constexpr std::string_view kOptions[4] = {"-ct", "-cb", "-cl", "-cr"};
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string_view word = words[i];
    for (int option = 0; option < 4; ++option) {
      if (word.find(kOptions[option]) == std::string_view::npos) continue;
      const std::string_view text = word.substr(3);
      const int32_t value = ParseCropValue(text);
      if (value != ModelValue(text)) Fail("the value disagrees", text);
      model[option] = static_cast<uint16_t>(value);
    }
  }
  const CropValues crops = ParseCropArguments(ArgumentList(words));
  if (crops.top != model[0] || crops.bottom != model[1] ||
      crops.left != model[2] || crops.right != model[3])
    Fail("the crop amounts disagree", input);
  return 0;
}
