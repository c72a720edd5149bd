#include "crop_arguments.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace trelvik {
namespace {

TEST(ParseCropValue, AcceptsOnlyWholeNumbersInItsSyntax) {
  const struct {
    std::string_view text;
    int32_t value;
  } cases[] = {
      // Decimal: leading zeros mean nothing, one sign, leading blanks only.
      {"8", 8},
      {"08", 8},
      {"0", 0},
      {"+8", 8},
      {"-5", -5},
      {" 8", 8},
      {"   -8", -8},
      {"00000000000000000012", 12},
      // Limits of 32 bits, and a magnitude that would overflow them.
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"2147483648", 0},
      {"-2147483649", 0},
      {"4294967296", 0},
      {"99999999999", 0},
      // Hexadecimal after $, x, X, 0x or 0X, as a 32-bit pattern.
      {"$1F", 31},
      {"x1f", 31},
      {"X1F", 31},
      {"0x1F", 31},
      {"0X1f", 31},
      {"-$1F", -31},
      {" +0x10", 16},
      {"$FFFFFFFF", -1},
      {"$80000000", INT_MIN},
      {"-$FFFFFFFF", 1},
      {"$000000000001F", 31},
      {"$100000000", 0},
      // No number at all.
      {"", 0},
      {" ", 0},
      {"-", 0},
      {"+", 0},
      {"$", 0},
      {"x", 0},
      {"0x", 0},
      // Anything around or inside the digits spoils the whole text.
      {"\t8", 0},
      {"8 ", 0},
      {"- 8", 0},
      {"--8", 0},
      {"+-8", 0},
      {"1.5", 0},
      {"1e3", 0},
      {"12px", 0},
      {"1F", 0},
      {"$ 1F", 0},
      {"0x1G", 0},
      {"8-cb4", 0},
      {"ct8", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseCropValue(c.text), c.value) << "text \"" << c.text << "\"";
  }
}

std::string Show(const CropValues& crops) {
  return std::to_string(crops.top) + "," + std::to_string(crops.bottom) + "," +
         std::to_string(crops.left) + "," + std::to_string(crops.right);
}

TEST(ParseCropArguments, ScansEveryArgumentAfterTheFileName) {
  const struct {
    std::vector<std::string> after_file;
    std::string crops;  // top, bottom, left, right
  } cases[] = {
      {{}, "0,0,0,0"},
      {{"-ct8", "-cb8"}, "8,8,0,0"},
      {{"-cr6", "-cl10", "-cb1", "-ct2"}, "2,1,10,6"},
      // A later argument wins, also when it holds no number.
      {{"-cl10", "-cr6", "-cl12"}, "0,0,12,6"},
      {{"-ct8", "-ct"}, "0,0,0,0"},
      {{"-ct8", "-ct8 "}, "0,0,0,0"},
      // Only the low 16 bits are kept.
      {{"-ct-1", "-cb70000", "-cl-8", "-cr65536"}, "65535,4464,65528,0"},
      {{"-ct$FFFFFFFF", "-cb-2147483648"}, "65535,0,0,0"},
      // Options are lower case and the number follows without a blank.
      {{"-CT8"}, "0,0,0,0"},
      {{"-ct", "8"}, "0,0,0,0"},
      {{"-ct 8", "-cb- 8"}, "8,0,0,0"},
      // The amount always starts at the 4th character, so an option anywhere
      // else, or two in one argument, set their fields to 0.
      {{"-ct5", "-cb5", "--ct8", "5-cb5"}, "0,0,0,0"},
      {{"-ct8", "-cb4", "-cl8-ct4"}, "0,4,0,0"},
      // An empty argument holds no option.
      {{"-ct8", ""}, "8,0,0,0"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> words = {"video.avi"};
    words.insert(words.end(), c.after_file.begin(), c.after_file.end());
    EXPECT_EQ(Show(ParseCropArguments(ArgumentList(words))), c.crops)
        << "arguments after the file: "
        << ::testing::PrintToString(c.after_file);
  }
}

TEST(ParseCropArguments, NeverScansTheFileName) {
  EXPECT_EQ(Show(ParseCropArguments(ArgumentList({"-ct8"}))), "0,0,0,0");
  EXPECT_EQ(Show(ParseCropArguments(ArgumentList({"-ct8", "-cb8"}))),
            "0,8,0,0");
}

}  // namespace
}  // namespace trelvik
