#include "sizing/vertical_size.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace trelvik {
namespace {

TEST(ComputeVerticalSize, ScalesTruncatesRoundsAndCaps) {
  const struct {
    uint16_t width, height, top, bottom, left, right, raw, calculated;
  } cases[] = {
      {320, 240, 8, 8, 0, 0, 123, 124},
      {320, 240, 0, 0, 0, 0, 132, 132},
      {720, 576, 0, 0, 0, 0, 140, 140},
      {720, 576, 16, 16, 8, 8, 136, 136},
      {720, 576, 0, 0, 8, 8, 144, 144},
      {720, 480, 0, 0, 0, 0, 117, 116},
      {640, 360, 0, 0, 0, 0, 99, 100},
      {352, 288, 0, 0, 0, 0, 144, 144},
      {176, 144, 0, 0, 0, 0, 144, 144},
      {352, 576, 0, 0, 0, 0, 288, 144},
      {4095, 4095, 0, 0, 0, 0, 176, 144},
      {176, 142, 0, 0, 0, 0, 142, 140},
      {176, 146, 0, 0, 0, 0, 146, 144},
      {176, 147, 0, 0, 0, 0, 147, 144},
      {320, 8, 7, 0, 0, 0, 0, 0},
      // Crops beyond the frame: negative quotients truncate toward zero and
      // wrap to 16 bits, and large raw sizes are capped, not taken as negative.
      {352, 100, 110, 0, 0, 0, 65531, 144},
      {320, 100, 105, 0, 0, 0, 65534, 144},
      {320, 240, 0, 0, 400, 0, 65008, 144},
      {320, 240, 300, 0, 400, 0, 132, 132},
      {320, 240, 65528, 0, 0, 0, 29628, 144},
      {176, 10, 11, 0, 0, 0, 65535, 144},
      {176, 10, 14, 0, 0, 0, 65532, 144},
      // Quotients of 65536 and more keep their low 16 bits.
      {11, 4096, 0, 0, 0, 0, 0, 0},
      {321, 373, 0, 0, 320, 0, 112, 112},
      {65535, 65535, 0, 0, 65534, 0, 65360, 144},
  };
  for (const auto& c : cases) {
    const VerticalSize size = ComputeVerticalSize(
        {c.width, c.height}, {c.top, c.bottom, c.left, c.right});
    EXPECT_EQ(size.raw, c.raw)
        << c.width << "x" << c.height << " crops " << c.top << "," << c.bottom
        << "," << c.left << "," << c.right;
    EXPECT_EQ(size.calculated, c.calculated) << c.width << "x" << c.height;
  }
}

TEST(ComputeVerticalSize, ZeroCroppedWidthStopsWith200Or207) {
  testing::CapturedConsole console;
  EXPECT_EXIT(ComputeVerticalSize({320, 240}, {0, 0, 160, 160}),
              ::testing::ExitedWithCode(200), "");
  EXPECT_EXIT(ComputeVerticalSize({320, 240}, {240, 0, 320, 0}),
              ::testing::ExitedWithCode(207), "");
  // Whatever the crops add up to, a zero width never divides.
  EXPECT_EXIT(ComputeVerticalSize({10, 5}, {65535, 0, 4, 6}),
              ::testing::ExitedWithCode(200), "");
}

TEST(NearestMultipleOfFour, GoesDownOnEqualDistancesAndStaysIn16Bits) {
  const struct {
    uint16_t value, result;
  } cases[] = {
      {0, 0},         {1, 0},         {2, 0},         {3, 4},
      {4, 4},         {5, 4},         {6, 4},         {7, 8},
      {142, 140},     {146, 144},     {147, 148},     {65531, 65532},
      {65532, 65532}, {65533, 65532}, {65534, 65532}, {65535, 65532},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NearestMultipleOfFour(c.value), c.result) << c.value;
  }
}

}  // namespace
}  // namespace trelvik
