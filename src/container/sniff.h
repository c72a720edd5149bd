// Deciding from the first 16 bytes whether the input is an AVI file or an
// MPEG program stream.
#ifndef TRELVIK_CONTAINER_SNIFF_H_
#define TRELVIK_CONTAINER_SNIFF_H_

#include <cstdint>
#include <string_view>

#include "runtime/input_file.h"

namespace trelvik {

// The container tag, compared as text: "AVI" or "MPG".
using ContainerKind = std::string_view;
constexpr ContainerKind kAvi = "AVI";
constexpr ContainerKind kMpg = "MPG";

constexpr uint32_t kProbeSize = 16;

// Reads bytes 0 to 15 in one request, prints the one line that names the
// kind (or says that the file is not recognised) and gives the kind. A file
// that passes neither test is handled as AVI. Leaves the position at 16.
ContainerKind SniffContainer(InputFile& file);

}  // namespace trelvik

#endif  // TRELVIK_CONTAINER_SNIFF_H_
