#include "runtime/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trelvik {
namespace {

using namespace std::string_literals;
using Words = std::vector<std::string>;

struct Cut {
  const char* shows;
  std::string line;
  Words arguments;
};

const Cut kCuts[] = {
    {"an empty line", "", {}},
    {"the program alone", "trelvik.exe", {}},
    {"blanks and empty quote pairs after the program",
     "trelvik.exe  \"\" \"\"\t",
     {}},
    {"plain words", "trelvik.exe in.avi -ct8 -cb8", {"in.avi", "-ct8", "-cb8"}},
    {"every code from 1 to 32 separates",
     "t a\x01"
     "b\tc\r\nd\x1F"
     "e\x20"
     "f",
     {"a", "b", "c", "d", "e", "f"}},
    {"codes above 32 and above 127 do not separate",
     "t a\x7F\xA0\xFF"
     "b",
     {"a\x7F\xA0\xFF"
      "b"}},
    {"a quoted name keeps its blanks and loses its quotes",
     "trelvik.exe \"my video.avi\" -ct8",
     {"my video.avi", "-ct8"}},
    {"a quoted stretch inside a word",
     "t -ct\"8\" ab\"c d\"ef",
     {"-ct8", "abc def"}},
    {"a quoted stretch holds tabs and line ends",
     "t \"a\tb\r\nc\"",
     {"a\tb\r\nc"}},
    {"an unclosed quote runs to the end of the line",
     "t \"my video.avi -ct8",
     {"my video.avi -ct8"}},
    {"an empty pair before a word is skipped",
     "t \"\" in.avi \"\"-ct8",
     {"in.avi", "-ct8"}},
    {"an empty pair inside a word vanishes", "t -ct\"\"8 a\"\"", {"-ct8", "a"}},
    {"three quotes: the pair is skipped, the third opens a stretch",
     "t \"\"\" a",
     {" a"}},
    {"a quote pair alone between words is no argument",
     "t a \"\" b",
     {"a", "b"}},
    {"a lone quote at the end is an empty word, which ends the count",
     "t a \"",
     {"a"}},
    {"no escape character: backslashes stay, a quote after one still closes",
     "t \"C:\\Videos\\\" \\\"x",
     {"C:\\Videos\\", "\\x"}},
    {"the program's name may be quoted and hold blanks",
     "\"C:\\Program Files\\trelvik.exe\" in.avi",
     {"in.avi"}},
    {"a program name glued to an argument by quotes is one word",
     "\"trelvik.exe\"in.avi -ct8",
     {"-ct8"}},
    {"the line ends at a zero byte", "t a\0b"s, {"a"}},
    {"leading blanks before the program", "   t a", {"a"}},
};

// Names the case in test listings rather than dumping its bytes.
void PrintTo(const Cut& cut, std::ostream* os) { *os << cut.shows; }

class CommandLine : public ::testing::TestWithParam<Cut> {};

TEST_P(CommandLine, CutsIntoTheseArguments) {
  EXPECT_EQ(CutCommandLine(GetParam().line), GetParam().arguments)
      << GetParam().shows;
}

INSTANTIATE_TEST_SUITE_P(Cuts, CommandLine, ::testing::ValuesIn(kCuts));

// A double-byte code page in miniature: 0x81 leads a two-byte character.
size_t LeadByteTakesTwo(std::string_view rest) {
  return static_cast<unsigned char>(rest.front()) == 0x81 ? 2 : 1;
}

TEST(CommandLineCharacters, SecondByteOfACharacterIsNeverASeparator) {
  EXPECT_EQ(CutCommandLine("t a\x81 b \x81\t", LeadByteTakesTwo),
            Words({"a\x81 b", "\x81\t"}));
  // Byte by byte, the same line falls apart at the blank and the tab.
  EXPECT_EQ(CutCommandLine("t a\x81 b \x81\t"), Words({"a\x81", "b", "\x81"}));
}

TEST(CommandLineCharacters, ALeadByteAtTheEndDoesNotReadPastIt) {
  EXPECT_EQ(CutCommandLine("t a\x81", LeadByteTakesTwo), Words({"a\x81"}));
}

}  // namespace
}  // namespace trelvik
