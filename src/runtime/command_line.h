// Cutting a Windows command line into the program's arguments.
//
// Windows hands a process one line of text, not a list. trelvik cuts it by
// its own simple rules rather than the C runtime's: blanks and control
// characters separate words, double quotes group a stretch that may hold
// blanks and never become part of a word, and there is no escape character,
// so a path such as "C:\Videos\" keeps its backslash. The cutting is a pure
// function of the line, so every rule can be tested on any host.
#ifndef TRELVIK_RUNTIME_COMMAND_LINE_H_
#define TRELVIK_RUNTIME_COMMAND_LINE_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trelvik {

// The length in bytes of the character at the front of `rest`, which is never
// empty. On Windows this follows the ANSI code page, so that the second byte
// of a double-byte character is never taken for a quote or a blank.
using CharacterLength = size_t (*)(std::string_view rest);

// Every byte a character of its own.
size_t SingleByteCharacter(std::string_view rest);

// The words of `line` after the first one, which names the program. Counting
// stops at the first empty word, which only the end of the line can give.
std::vector<std::string> CutCommandLine(
    std::string_view line, CharacterLength length = SingleByteCharacter);

}  // namespace trelvik

#endif  // TRELVIK_RUNTIME_COMMAND_LINE_H_
