// The crop amounts on the command line: -ctN, -cbN, -clN and -crN.
#ifndef TRELVIK_CROP_ARGUMENTS_H_
#define TRELVIK_CROP_ARGUMENTS_H_

#include <cstdint>
#include <string_view>

#include "frame.h"
#include "runtime/arguments.h"

namespace trelvik {

// Scans arguments 2 onwards (argument 1 is the input file) for the four crop
// options. Never fails: an argument without an option is ignored, and an
// option whose number cannot be read sets its amount to 0.
CropValues ParseCropArguments(const ArgumentList& arguments);

// The number that the whole of text denotes, or 0 when it is none: leading
// blanks, one optional sign, then decimal digits or, after "$", "x", "X",
// "0x" or "0X", hexadecimal digits, and nothing after them.
int32_t ParseCropValue(std::string_view text);

}  // namespace trelvik

#endif  // TRELVIK_CROP_ARGUMENTS_H_
