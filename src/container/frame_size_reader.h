// Reading the coded frame size from the container header.
#ifndef TRELVIK_CONTAINER_FRAME_SIZE_READER_H_
#define TRELVIK_CONTAINER_FRAME_SIZE_READER_H_

#include <cstdint>

#include "frame.h"
#include "runtime/input_file.h"

namespace trelvik {

// The scan for the MPEG sequence header gives up at this file position.
constexpr uint32_t kMpegScanLimit = 16000;

// The low 16 bits of dwWidth and dwHeight in the main AVI header (bytes 64,
// 65, 68 and 69), whatever else the file holds. Leaves the position at 70.
FrameSize ReadAviFrameSize(InputFile& file);

// Scans the raw bytes from the start, one byte per read, for the first
// sequence header code 00 00 01 B3 that ends before kMpegScanLimit. True when
// found, with the position just after the code; false with the position at
// kMpegScanLimit.
bool FindMpegSequenceHeader(InputFile& file);

// horizontal_size_value and vertical_size_value of the first sequence header
// (the 12-bit fields alone, no sequence extension). 0 by 0 when the scan
// found no sequence header.
FrameSize ReadMpegFrameSize(InputFile& file);

}  // namespace trelvik

#endif  // TRELVIK_CONTAINER_FRAME_SIZE_READER_H_
