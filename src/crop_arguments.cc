// The crop options and the number syntax of their amounts.
#include "crop_arguments.h"

namespace trelvik {
namespace {

struct CropOption {
  std::string_view text;
  uint16_t CropValues::*field;
};

// Every argument is tested against all four, in this order.
constexpr CropOption kCropOptions[] = {
    {"-ct", &CropValues::top},
    {"-cb", &CropValues::bottom},
    {"-cl", &CropValues::left},
    {"-cr", &CropValues::right},
};

// The amount always starts at the 4th character of the argument, wherever
// the option stood in it.
constexpr size_t kValueStart = 3;

int DigitValue(char c, bool hexadecimal) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hexadecimal) return -1;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

int32_t ParseCropValue(std::string_view text) {
  size_t at = 0;
  auto next_is = [&](std::string_view choices) {
    return at < text.size() && choices.find(text[at]) != std::string_view::npos;
  };
  while (next_is(" ")) ++at;
  bool negative = false;
  if (next_is("+-")) negative = text[at++] == '-';
  bool hexadecimal = false;
  if (next_is("$xX")) {
    hexadecimal = true;
    at += 1;
  } else if (next_is("0") && at + 1 < text.size() &&
             (text[at + 1] == 'x' || text[at + 1] == 'X')) {
    hexadecimal = true;
    at += 2;
  }
  if (at == text.size()) return 0;  // no digit at all

  // A further digit is refused once it could carry the magnitude past 32 bits:
  // decimal stops at 10 digits' worth, hexadecimal at 8 significant digits.
  const uint32_t base = hexadecimal ? 16 : 10;
  const uint32_t last_to_grow = hexadecimal ? 0x0FFFFFFFu : 214748364u;
  uint32_t magnitude = 0;
  for (; at < text.size(); ++at) {
    const int digit = DigitValue(text[at], hexadecimal);
    if (digit < 0 || magnitude > last_to_grow) return 0;
    magnitude = magnitude * base + static_cast<uint32_t>(digit);
  }
  if (!hexadecimal && magnitude > (negative ? 2147483648u : 2147483647u))
    return 0;
  // Hexadecimal digits are a 32-bit two's-complement pattern, and the minus
  // sign negates modulo 2 to the 32nd.
  return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

CropValues ParseCropArguments(const ArgumentList& arguments) {
  CropValues crops;
  const int count = arguments.Count();
  for (int i = 2; i <= count; ++i) {
    const std::string_view argument = arguments.At(i);
    for (const CropOption& option : kCropOptions) {
      if (argument.find(option.text) == std::string_view::npos) continue;
      // Only the low 16 bits are kept: -1 becomes 65535.
      crops.*option.field =
          static_cast<uint16_t>(ParseCropValue(argument.substr(kValueStart)));
    }
  }
  return crops;
}

}  // namespace trelvik
