// The vertical size computation, in 32-bit signed integers: every difference
// and product of 16-bit amounts fits, and integer division truncates toward
// zero as the result must.
#include "sizing/vertical_size.h"

#include "runtime/runtime.h"

namespace trelvik {
namespace {

// The error numbers of a division by zero and of the invalid operation 0/0.
constexpr uint8_t kDivisionByZero = 200;
constexpr uint8_t kInvalidOperation = 207;

}  // namespace

VerticalSize ComputeVerticalSize(FrameSize frame, CropValues crops) {
  const int32_t cropped_height =
      int32_t{frame.height} - crops.top - crops.bottom;
  const int32_t numerator = kTargetWidth * cropped_height;
  const int32_t cropped_width = int32_t{frame.width} - crops.left - crops.right;
  if (cropped_width == 0)
    RunError(cropped_height == 0 ? kInvalidOperation : kDivisionByZero);

  VerticalSize size;
  // Quotients below 0 or above 65535 wrap; the cap below catches them.
  size.raw = static_cast<uint16_t>(numerator / cropped_width);
  const uint16_t rounded = NearestMultipleOfFour(size.raw);
  size.calculated = rounded > kMaxVerticalSize ? kMaxVerticalSize : rounded;
  return size;
}

uint16_t NearestMultipleOfFour(uint16_t value) {
  switch (value % 4) {
    case 0:
      return value;
    case 1:
    case 2:  // equal distances go down
      return static_cast<uint16_t>(value - value % 4);
    default:
      return value == 0xFFFF ? uint16_t{0xFFFC}
                             : static_cast<uint16_t>(value + 1);
  }
}

}  // namespace trelvik
