// The program's arguments, numbered from 1 as the command line gives them,
// without the program's own name.
#ifndef TRELVIK_RUNTIME_ARGUMENTS_H_
#define TRELVIK_RUNTIME_ARGUMENTS_H_

#include <string>
#include <utility>
#include <vector>

#include "runtime/platform.h"

namespace trelvik {

class ArgumentList {
 public:
  explicit ArgumentList(std::vector<std::string> words)
      : words_(std::move(words)) {}

  int Count() const { return static_cast<int>(words_.size()); }
  // Argument `index`, for index from 1 to Count().
  const std::string& At(int index) const {
    return words_[static_cast<size_t>(index - 1)];
  }

 private:
  std::vector<std::string> words_;
};

// The arguments this process was started with, as the host hands them over.
inline ArgumentList ProgramArguments(int argc, char** argv) {
  return ArgumentList(platform::Arguments(argc, argv));
}

}  // namespace trelvik

#endif  // TRELVIK_RUNTIME_ARGUMENTS_H_
