// Raises one processor exception in a program set up like trelvik, to show
// that its top-level handler turns it into the run-time error stop:
//
//   exception_probe integer-division | float-division | float-invalid |
//                   access-violation
//
// trelvik itself tests for a zero divisor first, so no input of its own can
// raise one; this probe is how the handler gets exercised.
#include <float.h>

#include <cstring>

#include "runtime/platform.h"

namespace {

volatile int g_zero = 0;
volatile int g_hundred = 100;
volatile double g_zero_float = 0.0;
volatile int* volatile g_nowhere = nullptr;

}  // namespace

int main(int argc, char** argv) {
  trelvik::platform::Start();
  if (argc < 2) return 1;
  const char* kind = argv[1];
  if (std::strcmp(kind, "integer-division") == 0) return g_hundred / g_zero;
  // Floating-point traps are masked by default; unmask the one to raise.
  if (std::strcmp(kind, "float-division") == 0) {
    _controlfp(static_cast<unsigned>(~_EM_ZERODIVIDE), _MCW_EM);
    return static_cast<int>(1.0 / g_zero_float);
  }
  if (std::strcmp(kind, "float-invalid") == 0) {
    _controlfp(static_cast<unsigned>(~_EM_INVALID), _MCW_EM);
    return static_cast<int>(g_zero_float / g_zero_float);
  }
  if (std::strcmp(kind, "access-violation") == 0) return *g_nowhere;
  return 1;
}
