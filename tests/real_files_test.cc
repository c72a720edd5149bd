// trelvik on files written by a real muxer (Debian's ffmpeg; the files and
// the script that made them are in tests/data): AVI files with several codecs
// and sizes, and MPEG-1 and MPEG-2 program streams. Each file is run whole,
// with and without crops, and then cut short at every length of its first
// few hundred bytes and at a sample of longer ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e_harness.h"
#include "fixtures.h"

namespace trelvik::testing {
namespace {

struct RealFile {
  const char* shows;
  const char* name;
  bool mpeg;
  // The size the muxer was asked for; empty when the file holds no video.
  const char* resolution;
  int raw;
  int calculated;
  // One run with crops, and what it gives.
  std::vector<std::string> crops;
  const char* crop_line;
  int cropped_raw;
  int cropped_calculated;
};

const RealFile kRealFiles[] = {
    {"Raw video in AVI, 176x144: the screen size itself.",
     "avi-raw-176x144.avi",
     false,
     "176x144",
     144,
     144,
     {"-ct8", "-cb8"},
     "Top=8 Bottom=8 Left=0 Right=0",
     128,
     128},
    {"Motion JPEG in AVI, 320x240.",
     "avi-mjpeg-320x240.avi",
     false,
     "320x240",
     132,
     132,
     {"-ct8", "-cb8"},
     "Top=8 Bottom=8 Left=0 Right=0",
     123,
     124},
    {"MPEG-4 Visual in AVI, 640x360: halves round down.",
     "avi-mpeg4-640x360.avi",
     false,
     "640x360",
     99,
     100,
     {"-ct8", "-cb8"},
     "Top=8 Bottom=8 Left=0 Right=0",
     94,
     92},
    {"MPEG-4 Visual in AVI, 720x576, cropped on all four edges.",
     "avi-mpeg4-720x576.avi",
     false,
     "720x576",
     140,
     140,
     {"-ct16", "-cb16", "-cl8", "-cr8"},
     "Top=16 Bottom=16 Left=8 Right=8",
     136,
     136},
    {"Motion JPEG in AVI over 1000 wide, 1280x720.",
     "avi-mjpeg-1280x720.avi",
     false,
     "1280x720",
     99,
     100,
     {"-cl160", "-cr160"},
     "Top=0 Bottom=0 Left=160 Right=160",
     132,
     132},
    {"MPEG-1 program stream, 352x240.",
     "mpeg1-352x240.mpg",
     true,
     "352x240",
     120,
     120,
     {"-ct8", "-cb8"},
     "Top=8 Bottom=8 Left=0 Right=0",
     112,
     112},
    {"MPEG-1 program stream, 352x288; cropped, it is capped at 144.",
     "mpeg1-352x288.mpg",
     true,
     "352x288",
     144,
     144,
     {"-cl16", "-cr16"},
     "Top=0 Bottom=0 Left=16 Right=16",
     158,
     144},
    {"MPEG-2 program stream, 720x576.",
     "mpeg2-720x576.mpg",
     true,
     "720x576",
     140,
     140,
     {"-cl8", "-cr8"},
     "Top=0 Bottom=0 Left=8 Right=8",
     144,
     144},
    {"MPEG-2 program stream, 720x480.",
     "mpeg2-720x480.mpg",
     true,
     "720x480",
     117,
     116,
     {"-ct8", "-cb8"},
     "Top=8 Bottom=8 Left=0 Right=0",
     113,
     112},
    {"A program stream with sound only: the scan finds no sequence header.",
     "mpeg1-audio-only.mpg",
     true,
     "",
     0,
     0,
     {"-ct8"},
     "",
     0,
     0},
};

std::string Contents(const RealFile& file) {
  return ReadFile(std::string(TRELVIK_TEST_DATA) + "/" + file.name);
}

// The whole output of a run on the whole file.
std::string WholeRun(const RealFile& file, std::string_view crops, int raw,
                     int calculated) {
  const std::string head =
      kBanner + Opened(file.name) + (file.mpeg ? kMpg : kAvi);
  if (*file.resolution == '\0') return head + kCannotRead;
  return head + Result(file.resolution, crops, raw, calculated);
}

std::vector<Case> WholeFileCases() {
  std::vector<Case> cases;
  for (const RealFile& file : kRealFiles) {
    const File input = {file.name, Contents(file)};
    cases.push_back({file.shows,
                     file.name,
                     {input},
                     {file.name},
                     WholeRun(file, kNoCrops, file.raw, file.calculated),
                     file.calculated});
    std::vector<std::string> args = {file.name};
    args.insert(args.end(), file.crops.begin(), file.crops.end());
    cases.push_back({file.shows,
                     file.name,
                     {input},
                     args,
                     WholeRun(file, file.crop_line, file.cropped_raw,
                              file.cropped_calculated),
                     file.cropped_calculated});
  }
  return cases;
}

// The file's name without its extension and dashes: avimjpeg320x240.
std::string TestName(std::string name) {
  name.resize(name.find('.'));
  std::erase(name, '-');
  return name;
}

class RealFiles : public ::testing::TestWithParam<Case> {};

TEST_P(RealFiles, PrintTheSizeTheMuxerWasAskedFor) { ExpectCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Whole, RealFiles,
                         ::testing::ValuesIn(WholeFileCases()),
                         [](const auto& test) {
                           return TestName(test.param.name) +
                                  (test.index % 2 == 0 ? "" : "Cropped");
                         });

#if !defined(TRELVIK_UNDER_WINE)
// What the program must do with the first n bytes of the file: the short
// read (100) until it has every byte it reads, then what the whole file gives.
struct Expected {
  std::string out;
  int exit_code;
};

Expected ForLength(const RealFile& file, const std::string& bytes, size_t n) {
  const std::string head = kBanner + Opened(file.name);
  const Expected short_read = {head + Report(100), 100};
  if (n < 16) return short_read;  // the sniff reads 16 bytes
  const std::string kind = file.mpeg ? kMpg : kAvi;
  const Expected stopped = {head + kind + Report(100), 100};
  const Expected whole = {WholeRun(file, kNoCrops, file.raw, file.calculated),
                          file.calculated};
  if (!file.mpeg)
    return n < 70 ? stopped : whole;  // width and height end at 70
  // The scan looks for the sequence header code up to byte 16000 and then
  // reads the three bytes behind it.
  const size_t code = bytes.find(SequenceHeaderCode());
  if (code != std::string::npos && code + 4 <= 16000)
    return n < code + 7 ? stopped : whole;
  return n < 16000 ? stopped : whole;
}

// Every length up to a few hundred bytes, then a sample up to the whole
// file, with the scan limit's edges.
std::vector<size_t> Lengths(size_t size) {
  std::vector<size_t> lengths;
  for (size_t n = 0; n <= std::min<size_t>(size, 400); ++n)
    lengths.push_back(n);
  for (size_t n = 401; n < size; n += 997) lengths.push_back(n);
  for (size_t n : {size_t{15999}, size_t{16000}, size_t{16001}, size - 1})
    if (n > 400 && n < size) lengths.push_back(n);
  lengths.push_back(size);
  return lengths;
}

void PrintTo(const RealFile& file, std::ostream* os) { *os << file.shows; }

class Prefixes : public ::testing::TestWithParam<RealFile> {};

TEST_P(Prefixes, EveryLengthEndsAsTheBehaviourSays) {
  const RealFile& file = GetParam();
  const std::string bytes = Contents(file);
  ASSERT_GT(bytes.size(), 400u);
  Sandbox sandbox;
  const Case c = {file.shows, file.name, {}, {file.name}, "", 0};
  int failures = 0;
  for (const size_t n : Lengths(bytes.size())) {
    sandbox.Make({file.name, bytes.substr(0, n)});
    const Outcome run = RunCommand(sandbox.dir(), Command(c), Output::kPipe);
    const Expected expected = ForLength(file, bytes, n);
    const bool right = !run.hung && run.exited &&
                       run.exit_code == expected.exit_code &&
                       MatchesOutput(expected.out, run.out);
    EXPECT_TRUE(right) << "first " << n << " bytes: exit code " << run.exit_code
                       << ", signal " << run.signal
                       << (run.hung ? ", hung" : "") << ", output:\n"
                       << Visible(run.out);
    // A fault shows at the first few lengths; the rest would only repeat it.
    if (!right && ++failures == 3) break;
  }
}

INSTANTIATE_TEST_SUITE_P(Cut, Prefixes, ::testing::ValuesIn(kRealFiles),
                         [](const auto& test) {
                           return TestName(test.param.name);
                         });
#endif

}  // namespace
}  // namespace trelvik::testing
