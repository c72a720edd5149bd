// The program's flow: banner, usage, the input file, its container and frame
// size, the crops and the vertical size, in that fixed order.
#include "driver.h"

#include "container/frame_size_reader.h"
#include "container/sniff.h"
#include "crop_arguments.h"
#include "runtime/console.h"
#include "runtime/input_file.h"
#include "runtime/runtime.h"
#include "sizing/vertical_size.h"

namespace trelvik {
namespace {

// The input file lives for the whole run: on an early end the process
// releases it.
HostFile g_input_file;

}  // namespace

void RunTrelvik(const ArgumentList& arguments) {
  ConsoleLine("");
  ConsoleLine("Created for the video conversion script for Motorola phones");
  ConsoleLine("");

  if (arguments.Count() == 0) {
    // The name is fixed, whatever the program was started as.
    ConsoleLine(
        "Usage: trelvik.exe input_filename [-ctX] [-cbY] [-clZ] [-crN]");
    ConsoleLine(
        "Where '-ct' is top cropping, '-cb' is bottom and etc, 'X', 'Y', 'Z', "
        "'N' are the cropping values.");
    EndProgram(0);
  }

  const std::string& file_name = arguments.At(1);
  g_input_file.Open(file_name);
  if (TakeIoResult() != 0) {
    // Not checked: the run ends with 0 whether or not this line got out.
    ConsoleWrite("Error opening file!");
    ConsoleLineEnd();
    EndProgram(0);
  }
  ConsoleLine("Opened file \"", file_name, "\"");

  const ContainerKind kind = SniffContainer(g_input_file);
  FrameSize frame;
  if (kind == kAvi) frame = ReadAviFrameSize(g_input_file);
  if (kind == kMpg) frame = ReadMpegFrameSize(g_input_file);
  if (frame.width == 0 || frame.height == 0) {
    ConsoleLine("Error reading the file data!");
    EndProgram(0);
  }
  ConsoleLine("Video resolution: ", frame.width, "x", frame.height);
  g_input_file.Close();
  IoCheck();

  const CropValues crops = ParseCropArguments(arguments);
  ConsoleLine("Cropping: Top=", crops.top, " Bottom=", crops.bottom,
              " Left=", crops.left, " Right=", crops.right);

  const VerticalSize size = ComputeVerticalSize(frame, crops);
  ConsoleLine("Raw vertical size: ", size.raw);
  ConsoleLine("Calculated vertical size: ", size.calculated);
  // Always a multiple of 4 from 0 to 144, so it fits the exit code.
  EndProgram(static_cast<uint8_t>(size.calculated));
}

}  // namespace trelvik
