// End-to-end cases: the built trelvik run on small hand-built files and on
// odd inputs and outputs, with its whole standard output and its exit code
// compared byte for byte. Each case opens with one line saying what it shows;
// the harness (e2e_harness.h) runs them on the native build and under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e_harness.h"
#include "fixtures.h"

namespace trelvik::testing {
namespace {

using namespace std::string_literals;

// A name of about 4000 bytes in nested folders: long enough that the run's
// output no longer fits the console buffer, short enough for the host to open.
std::string LongName() {
  std::string name;
  for (int i = 0; i < 16; ++i) name += std::string(249, 'd') + "/";
  return name + "in.avi";
}

const std::string kMpegCode = SequenceHeaderCode();

const std::string kTypical =
    kBanner + Opened("in.avi") + kAvi +
    Result("320x240", "Top=8 Bottom=8 Left=0 Right=0", 123, 124);

const Case kCases[] = {
    // The exit-code table, one row at a time.
    {"No argument: the banner, the usage and 0.",
     "NoArgument",
     {},
     {},
     kBanner + kUsage,
     0},
    {"The Overview's typical run on the sample that the repository ships.",
     "TypicalRunOnTheSample",
     {{"sample.avi", ReadFile(TRELVIK_SAMPLE)}},
     {"sample.avi", "-ct8", "-cb8"},
     kBanner + Opened("sample.avi") + kAvi +
         Result("320x240", "Top=8 Bottom=8 Left=0 Right=0", 123, 124),
     124},
    {"A missing file cannot be opened; its name is not printed.",
     "MissingFile",
     {},
     {"missing.avi"},
     kBanner + kCannotOpen,
     0},
    {"A directory is refused like a missing file.",
     "Directory",
     {{"folder", "", File::Kind::kDirectory}},
     {"folder"},
     kBanner + kCannotOpen,
     0},
    {"An empty first argument names no file.",
     "EmptyName",
     {},
     {""},
     kBanner + kCannotOpen,
     0,
     Output::kPipe,
     Host::kPosix},
    {"A crop option first is taken as the file name.",
     "CropOptionFirst",
     {{"in.avi", AviFile(320, 240)}},
     {"-ct8", "in.avi"},
     kBanner + kCannotOpen,
     0},
    {"A zero width is the foreseen read error, right after the sniff.",
     "ZeroWidth",
     {{"in.avi", AviFile(0x10000, 240)}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + kCannotRead,
     0},
    {"A completed run whose vertical size is 0 also exits with 0.",
     "VerticalSizeZero",
     {{"in.avi", AviFile(320, 8)}},
     {"in.avi", "-ct7"},
     kBanner + Opened("in.avi") + kAvi +
         Result("320x8", "Top=7 Bottom=0 Left=0 Right=0", 0, 0),
     0},
    {"A vertical size of 100 exits with 100, like a short read.",
     "VerticalSize100",
     {{"in.avi", AviFile(640, 360)}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + Result("640x360", kNoCrops, 99, 100),
     100},
    {"An empty file stops in the sniff with 100.",
     "EmptyFile",
     {{"in.avi", ""}},
     {"in.avi"},
     kBanner + Opened("in.avi") + Report(100),
     100},
    {"A cropped width of 0 with some height left stops with 200.",
     "DivisionByZero",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi", "-cl160", "-cr160"},
     kBanner + Opened("in.avi") + kAvi + L("Video resolution: 320x240") +
         L("Cropping: Top=0 Bottom=0 Left=160 Right=160") + Report(200),
     200},
    {"A cropped width and height of 0 stop with 207.",
     "InvalidOperation",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi", "-ct240", "-cl320"},
     kBanner + Opened("in.avi") + kAvi + L("Video resolution: 320x240") +
         L("Cropping: Top=240 Bottom=0 Left=320 Right=0") + Report(207),
     207},

    // The sniff's three outcomes and the AVI reader's edges.
    {"A file of 15 bytes stops before any format line.",
     "FifteenBytes",
     {{"in.avi", "RIFF\0\0\0\0AVI LIS"s}},
     {"in.avi"},
     kBanner + Opened("in.avi") + Report(100),
     100},
    {"16 bytes with AVI LIST are AVI; the size read then stops with 100.",
     "SixteenBytesOfAvi",
     {{"in.avi", "RIFF\0\0\0\0AVI LIST"s}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + Report(100),
     100},
    {"An AVI header cut at 64 bytes stops at the read of byte 64.",
     "AviOf64Bytes",
     {{"in.avi", AviFile(320, 240).substr(0, 64)}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + Report(100),
     100},
    {"An AVI header cut at 69 bytes stops at the read of byte 69.",
     "AviOf69Bytes",
     {{"in.avi", AviFile(320, 240).substr(0, 69)}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + Report(100),
     100},
    {"70 bytes are all the AVI reader needs.",
     "AviOf70Bytes",
     {{"in.avi", AviFile(320, 240).substr(0, 70)}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + Result("320x240", kNoCrops, 132, 132),
     132},
    {"The upper halves of dwWidth and dwHeight are not read.",
     "AviUpperHalvesIgnored",
     {{"in.avi", AviFile(65856, 0x7FFF00F0)}},
     {"in.avi"},
     kBanner + Opened("in.avi") + kAvi + Result("320x240", kNoCrops, 132, 132),
     132},
    {"Unrecognised content is announced and read as AVI all the same.",
     "UnrecognisedReadAsAvi",
     {{"in.bin", Put(AviFile(720, 576), 8, "avi list")}},
     {"in.bin"},
     kBanner + Opened("in.bin") + kUnknown +
         Result("720x576", kNoCrops, 140, 140),
     140},
    {"A video elementary stream is no program stream: read as AVI, no size.",
     "ElementaryStream",
     {{"in.m1v", Put(MpegStream(352, 240, 0), 200, "")}},
     {"in.m1v"},
     kBanner + Opened("in.m1v") + kUnknown + kCannotRead,
     0},

    // The MPEG reader's edges.
    {"A program stream of 352x240.",
     "Mpeg352x240",
     {{"in.mpg", MpegStream(352, 240)}},
     {"in.mpg"},
     kBanner + Opened("in.mpg") + kMpg + Result("352x240", kNoCrops, 120, 120),
     120},
    {"A program stream of 720x576 with all four crops.",
     "Mpeg720x576Cropped",
     {{"in.mpg", MpegStream(720, 576)}},
     {"in.mpg", "-ct16", "-cb16", "-cl8", "-cr8"},
     kBanner + Opened("in.mpg") + kMpg +
         Result("720x576", "Top=16 Bottom=16 Left=8 Right=8", 136, 136),
     136},
    {"A sequence header at 15996 to 15999 is the last one found.",
     "MpegLastCodeFound",
     {{"in.mpg",
       ZeroStream(16100, 15996, kMpegCode + Bytes({0x2D, 0x01, 0xE0}))}},
     {"in.mpg"},
     kBanner + Opened("in.mpg") + kMpg + Result("720x480", kNoCrops, 117, 116),
     116},
    {"No sequence header before 16000: no size, whatever follows the limit.",
     "MpegNoCodeBeforeTheLimit",
     {{"in.mpg",
       ZeroStream(16100, 15997, kMpegCode + Bytes({0x16, 0x00, 0xF0}))}},
     {"in.mpg"},
     kBanner + Opened("in.mpg") + kMpg + kCannotRead,
     0},
    {"A stream that ends before 16000 without a sequence header stops with "
     "100.",
     "MpegShortWithoutCode",
     {{"in.mpg", ZeroStream(15999, 0, "")}},
     {"in.mpg"},
     kBanner + Opened("in.mpg") + kMpg + Report(100),
     100},
    {"A sequence header code followed by two bytes stops with 100.",
     "MpegCodeThenTwoBytes",
     {{"in.mpg", ZeroStream(106, 100, kMpegCode + Bytes({0x16, 0x00}))}},
     {"in.mpg"},
     kBanner + Opened("in.mpg") + kMpg + Report(100),
     100},

    // Names and numbers as they stand.
    {"A name with blanks is printed as given, between its own quotes.",
     "NameWithBlanks",
     {{"my video.avi", AviFile(176, 144)}},
     {"my video.avi"},
     kBanner + Opened("my video.avi") + kAvi +
         Result("176x144", kNoCrops, 144, 144),
     144},
    {"Five-digit sizes and crops; a large raw size is capped at 144.",
     "LargestNumbers",
     {{"in.avi", AviFile(65535, 65535)}},
     {"in.avi", "-cl65534"},
     kBanner + Opened("in.avi") + kAvi +
         Result("65535x65535", "Top=0 Bottom=0 Left=65534 Right=0", 65360, 144),
     144},
    {"The crop scan: later wins, upper case and misplaced options do not "
     "count.",
     "CropScan",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi", "-cl10", "-cr6", "-cl12", "-CT8", "-ct-8", "-cb4", "x-cb4"},
     kBanner + Opened("in.avi") + kAvi +
         Result("320x240", "Top=65528 Bottom=0 Left=12 Right=6", 27488, 144),
     144},

    // Where the standard output goes.
    {"A regular file gets exactly the bytes a pipe gets.",
     "OutputToFile",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi", "-ct8", "-cb8"},
     kTypical,
     124,
     Output::kFile},
    {"A character device that takes everything: the run completes.",
     "OutputToDevNull",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi", "-ct8", "-cb8"},
     "",
     124,
     Output::kDevNull},
    {"A device whose writes fail stops at the first line with ENOSPC.",
     "OutputToDevFull",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi"},
     "",
     28,
     Output::kDevFull,
     Host::kPosix},
    {"A device whose writes fail stops at the first line with "
     "ERROR_DISK_FULL.",
     "OutputToFullDevice",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi"},
     "",
     112,
     Output::kDevFull,
     Host::kWindows},
    {"No standard output at all stops at the first line with 105.",
     "OutputClosed",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi"},
     "",
     105,
     Output::kClosed},
    {"A pipe nobody reads: the last write-out fails quietly, no signal.",
     "OutputToBrokenPipe",
     {{"in.avi", AviFile(320, 240)}},
     {"in.avi", "-ct8", "-cb8"},
     "",
     124,
     Output::kBrokenPipe},
    // Windows takes no name this long, so these two are POSIX's.
    {"A pipe nobody reads, filled mid-run: the line's check stops with EPIPE.",
     "BrokenPipeFilledMidRun",
     {{LongName(), AviFile(320, 240)}},
     {LongName()},
     "",
     32,
     Output::kBrokenPipe,
     Host::kPosix},
    {"Lines written out before a stop all come before its report.",
     "LinesWrittenOutBeforeAStop",
     {{LongName(), "RIFF\0\0\0\0AVI LIST"s}},
     {LongName()},
     kBanner + Opened(LongName()) + kAvi + Report(100),
     100,
     Output::kPipe,
     Host::kPosix},

    // Inputs that are no ordinary file.
    {"A read-only file opens like any other.",
     "ReadOnlyFile",
     {{"in.avi", AviFile(320, 240), File::Kind::kReadOnly}},
     {"in.avi", "-ct8", "-cb8"},
     kTypical,
     124},
    {"A FIFO without a writer does not hang: it cannot seek (ESPIPE).",
     "Fifo",
     {{"fifo", "", File::Kind::kFifo}},
     {"fifo"},
     kBanner + Opened("fifo") + Report(29),
     29,
     Output::kPipe,
     Host::kPosix},
#if defined(__linux__)
    // Linux refuses to read the unmapped page at address 0 of a process.
    {"A read that the system refuses stops with its error number (EIO).",
     "ReadRefused",
     {},
     {"/proc/self/mem"},
     kBanner + Opened("/proc/self/mem") + Report(5),
     5,
     Output::kPipe,
     Host::kPosix},
#endif

    // The Windows command line, cut by the program itself.
    {"A quoted name with blanks is printed without the quotes it came in.",
     "QuotedNameWithBlanks",
     {{"my video.avi", AviFile(320, 240)}},
     {},
     kBanner + Opened("my video.avi") + kAvi +
         Result("320x240", "Top=8 Bottom=8 Left=0 Right=0", 123, 124),
     124,
     Output::kPipe,
     Host::kWindows,
     "trelvik.exe \"my video.avi\" -ct8 -cb8"},
    {"Empty quote pairs vanish, between arguments and inside them.",
     "EmptyQuotePairs",
     {{"in.avi", AviFile(320, 240)}},
     {},
     kTypical,
     124,
     Output::kPipe,
     Host::kWindows,
     "trelvik.exe \"\" in.avi \"\" -ct\"\"8 \"-cb\"8"},
    {"A quoted crop amount may start with a blank; no escape character.",
     "QuotedBlankInAmount",
     {{"in.avi", AviFile(320, 240)}},
     {},
     kBanner + Opened("in.avi") + kAvi +
         Result("320x240", "Top=8 Bottom=0 Left=0 Right=0", 127, 128),
     128,
     Output::kPipe,
     Host::kWindows,
     "trelvik.exe\tin.avi \"-ct 8\" -cb\\\"8\""},
    {"A line of blanks and empty quote pairs after the name is no argument.",
     "OnlyEmptyQuotePairs",
     {},
     {},
     kBanner + kUsage,
     0,
     Output::kPipe,
     Host::kWindows,
     "trelvik.exe \"\" \t \"\"  "},
};

class EndToEnd : public ::testing::TestWithParam<Case> {};

TEST_P(EndToEnd, PrintsExactlyTheseBytesAndExitsWithThisCode) {
  ExpectCase(GetParam());
}

std::vector<Case> CasesForThisHost() {
  std::vector<Case> cases;
  for (const Case& c : kCases)
    if (c.host == Host::kAny || c.host == kThisHost) cases.push_back(c);
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd,
                         ::testing::ValuesIn(CasesForThisHost()),
                         [](const auto& test) {
                           return std::string(test.param.name);
                         });

const Case& Named(std::string_view name) {
  return *std::find_if(std::begin(kCases), std::end(kCases),
                       [name](const Case& c) { return c.name == name; });
}

TEST(EndToEndStop, PrintsTheSameAddressOnEveryRun) {
  const Case& short_read = Named("EmptyFile");
  const Outcome first = RunCase(short_read);
  const Outcome second = RunCase(short_read);
  EXPECT_TRUE(MatchesOutput(short_read.out, first.out)) << Visible(first.out);
  EXPECT_EQ(first.out, second.out);
}

#if defined(TRELVIK_UNDER_WINE)
// As a user on Linux starts it: wine trelvik.exe, with Wine's own quoting.
TEST(EndToEndUnderWine, StartedByWineItselfPrintsTheTypicalRun) {
  const Case& typical = Named("TypicalRunOnTheSample");
  Sandbox sandbox;
  for (const File& file : typical.files) sandbox.Make(file);
  std::vector<std::string> command = {TRELVIK_WINE, TRELVIK_BINARY};
  command.insert(command.end(), typical.args.begin(), typical.args.end());
  const Outcome run = RunCommand(sandbox.dir(), command, Output::kPipe);
  EXPECT_EQ(run.exit_code, typical.exit_code);
  EXPECT_EQ(run.out, typical.out) << Visible(run.out);
}

struct Exception {
  const char* kind;
  int number;
};

// The program never raises a processor exception itself; a probe set up the
// same way raises each kind, and the top-level handler must stop on it.
class ProcessorException : public ::testing::TestWithParam<Exception> {};

TEST_P(ProcessorException, EndsInTheStopWithItsNumber) {
  const Exception& exception = GetParam();
  Sandbox sandbox;
  const Outcome run = RunCommand(
      sandbox.dir(), {TRELVIK_WINE, TRELVIK_EXCEPTION_PROBE, exception.kind},
      Output::kPipe);
  EXPECT_EQ(run.exit_code, exception.number);
  EXPECT_TRUE(MatchesOutput(Report(exception.number), run.out))
      << Visible(run.out);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ProcessorException,
                         ::testing::Values(Exception{"integer-division", 200},
                                           Exception{"float-division", 200},
                                           Exception{"float-invalid", 207},
                                           Exception{"access-violation", 216}),
                         [](const auto& test) {
                           std::string name = test.param.kind;
                           std::erase(name, '-');
                           return name;
                         });
#endif

}  // namespace
}  // namespace trelvik::testing
