// One run of trelvik, from the banner to the exit code.
#ifndef TRELVIK_DRIVER_H_
#define TRELVIK_DRIVER_H_

#include "runtime/arguments.h"

namespace trelvik {

// Prints each step and ends the process: with the calculated vertical size
// after a completed run, with 0 after the usage or a foreseen failure, or in
// the run-time error stop with its error number.
[[noreturn]] void RunTrelvik(const ArgumentList& arguments);

}  // namespace trelvik

#endif  // TRELVIK_DRIVER_H_
