// Cutting a Windows command line into the program's arguments.
#include "runtime/command_line.h"

#include <algorithm>

namespace trelvik {
namespace {

// Blank, tab, line ends and the other control characters: codes 1 to 32.
bool IsSeparator(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

class Cutter {
 public:
  Cutter(std::string_view line, CharacterLength length)
      : rest_(line), length_(length) {}

  // Skips what lies before a word: separators and pairs of adjacent quotes.
  void SkipToWord() {
    for (;;) {
      if (!rest_.empty() && IsSeparator(rest_.front())) {
        Step();
      } else if (rest_.starts_with("\"\"")) {
        rest_.remove_prefix(2);
      } else {
        return;
      }
    }
  }

  // The next word, up to the next separator outside a quoted stretch or the
  // end of the line; the quotes themselves are dropped.
  std::string Word() {
    std::string word;
    bool quoted = false;
    while (!rest_.empty()) {
      const char c = rest_.front();
      if (c == '"') {
        quoted = !quoted;
        rest_.remove_prefix(1);
      } else if (!quoted && IsSeparator(c)) {
        break;
      } else {
        word += Step();
      }
    }
    return word;
  }

 private:
  // Moves past one whole character and returns its bytes.
  std::string_view Step() {
    const size_t size = std::clamp<size_t>(length_(rest_), 1, rest_.size());
    const std::string_view character = rest_.substr(0, size);
    rest_.remove_prefix(size);
    return character;
  }

  std::string_view rest_;
  CharacterLength length_;
};

}  // namespace

size_t SingleByteCharacter(std::string_view) { return 1; }

std::vector<std::string> CutCommandLine(std::string_view line,
                                        CharacterLength length) {
  // The line ends at its first zero byte, as the system's string does.
  line = line.substr(0, line.find('\0'));
  Cutter cutter(line, length);
  cutter.SkipToWord();
  cutter.Word();  // the program's own name
  std::vector<std::string> arguments;
  for (;;) {
    cutter.SkipToWord();
    std::string word = cutter.Word();
    if (word.empty()) break;
    arguments.push_back(std::move(word));
  }
  return arguments;
}

}  // namespace trelvik
