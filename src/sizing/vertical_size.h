// The height of the picture once it is scaled, proportions kept, to the
// phone's width.
#ifndef TRELVIK_SIZING_VERTICAL_SIZE_H_
#define TRELVIK_SIZING_VERTICAL_SIZE_H_

#include <cstdint>

#include "frame.h"

namespace trelvik {

constexpr int32_t kTargetWidth = 176;
constexpr uint16_t kMaxVerticalSize = 144;

struct VerticalSize {
  // The cropped height scaled by 176 over the cropped width, truncated toward
  // zero and reduced to its low 16 bits.
  uint16_t raw = 0;
  // raw rounded to the nearest multiple of 4, capped at kMaxVerticalSize.
  uint16_t calculated = 0;
};

// Crop amounts are not compared with the frame: amounts larger than the
// frame enter the arithmetic as they are. A cropped width of 0 does not
// return: it ends in the run-time error stop with 200, or with 207 when the
// cropped height is 0 too.
VerticalSize ComputeVerticalSize(FrameSize frame, CropValues crops);

// The nearest multiple of 4; equal distances go down, and 65535, above which
// no multiple of 4 fits in 16 bits, gives 65532.
uint16_t NearestMultipleOfFour(uint16_t value);

}  // namespace trelvik

#endif  // TRELVIK_SIZING_VERTICAL_SIZE_H_
