// trelvik: reads the coded frame size of an AVI file or an MPEG program
// stream, takes off the crops given on the command line and answers, as its
// exit code, how tall the picture is once scaled to 176 pixels wide.
#include "driver.h"
#include "runtime/arguments.h"
#include "runtime/platform.h"

int main(int argc, char** argv) {
  trelvik::platform::Start();
  trelvik::RunTrelvik(trelvik::ProgramArguments(argc, argv));
}
