// The picture sizes that pass between the steps of a run.
#ifndef TRELVIK_FRAME_H_
#define TRELVIK_FRAME_H_

#include <cstdint>

namespace trelvik {

// The coded picture size from the container header; a zero in either value
// means that no size was found.
struct FrameSize {
  uint16_t width = 0;
  uint16_t height = 0;
};

// The amounts in pixels to take off each edge, as the command line gave them
// (reduced to 16 bits, so a negative amount arrives as a large one).
struct CropValues {
  uint16_t top = 0;
  uint16_t bottom = 0;
  uint16_t left = 0;
  uint16_t right = 0;
};

}  // namespace trelvik

#endif  // TRELVIK_FRAME_H_
