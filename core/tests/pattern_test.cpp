#include <gtest/gtest.h>

#include <vector>

#include "core/pattern.h"
#include "core/picture.h"

namespace ovelix {
namespace {

int CountKeyPixels(MixMode mode, int width, int height) {
  int count = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) count += IsKeyPixel(mode, x, y) ? 1 : 0;
  return count;
}

struct CountCase {
  int width;
  int height;
  int xCount;      // ceil(W·H / 2)
  int sharpCount;  // W·H − ceil(W / 2)·ceil(H / 2)
};

class PatternCount : public testing::TestWithParam<CountCase> {};

TEST_P(PatternCount, PaintsTheExactNumberOfPixels) {
  const CountCase c = GetParam();
  EXPECT_EQ(CountKeyPixels(MixMode::x, c.width, c.height), c.xCount);
  EXPECT_EQ(CountKeyPixels(MixMode::sharp, c.width, c.height), c.sharpCount);
  EXPECT_EQ(CountKeyPixels(MixMode::full, c.width, c.height), c.width * c.height);
  EXPECT_EQ(CountKeyPixels(MixMode::no, c.width, c.height), 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PatternCount,
                         testing::Values(CountCase{1, 1, 1, 0}, CountCase{2, 2, 2, 3},
                                         CountCase{3, 3, 5, 5}, CountCase{4, 6, 12, 18},
                                         CountCase{5, 2, 5, 7}, CountCase{7, 1, 4, 3},
                                         CountCase{1920, 1080, 1036800, 1555200},
                                         CountCase{1365, 767, 523478, 784683}));

TEST(IsKeyPixel, SmallPicturesByHand) {
  EXPECT_TRUE(IsKeyPixel(MixMode::x, 0, 0));
  EXPECT_FALSE(IsKeyPixel(MixMode::sharp, 0, 0));
  // 2 × 2: x paints (0,0) and (1,1); sharp paints all but (0,0).
  EXPECT_FALSE(IsKeyPixel(MixMode::x, 1, 0));
  EXPECT_FALSE(IsKeyPixel(MixMode::x, 0, 1));
  EXPECT_TRUE(IsKeyPixel(MixMode::x, 1, 1));
  EXPECT_TRUE(IsKeyPixel(MixMode::sharp, 1, 0));
  EXPECT_TRUE(IsKeyPixel(MixMode::sharp, 0, 1));
  EXPECT_TRUE(IsKeyPixel(MixMode::sharp, 1, 1));
  // Only the lowest bit of each coordinate counts, negative ones included.
  EXPECT_EQ(IsKeyPixel(MixMode::x, -3, 5), IsKeyPixel(MixMode::x, 1, 1));
  EXPECT_EQ(IsKeyPixel(MixMode::sharp, -2, 4), IsKeyPixel(MixMode::sharp, 0, 0));
}

// Fills a picture with distinct non-key colours so that an unchanged pixel is visible.
Picture Scrambled(int width, int height, PixelFormat format) {
  std::vector<PaletteEntry> palette;
  if (HasColorTable(format)) {
    const int entries = 1 << BitsPerPixel(format);
    for (int i = 0; i + 1 < entries; ++i) {
      const auto v = static_cast<std::uint8_t>(255 - i * 255 / entries);
      palette.push_back({v, static_cast<std::uint8_t>(255 - v), v, 0});
    }
    palette.push_back(EntryOf(KeyColor));
  }
  Picture picture(width, height, format, palette);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const auto v = static_cast<std::uint32_t>(x * 7 + y * 13);
      picture.SetRaw(x, y, HasColorTable(format) ? v % static_cast<std::uint32_t>(palette.size() - 1) : (v * 2654435761u) & 0x7FFFu);
    }
  return picture;
}

struct FormatCase {
  PixelFormat format;
  int width;
  int height;
};

class ApplyPatternFormats : public testing::TestWithParam<FormatCase> {};

TEST_P(ApplyPatternFormats, ChangesExactlyTheKeyPixelsOfEachMode) {
  const FormatCase c = GetParam();
  const Picture before = Scrambled(c.width, c.height, c.format);
  for (MixMode mode : {MixMode::x, MixMode::sharp, MixMode::full, MixMode::no}) {
    Picture picture = before;
    ApplyPattern(picture, mode);
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        const std::uint32_t expected =
            IsKeyPixel(mode, x, y) ? picture.Encode(KeyColor) : before.GetRaw(x, y);
        ASSERT_EQ(picture.GetRaw(x, y), expected)
            << "mode " << static_cast<int>(mode) << " at " << x << "," << y;
      }
    // The row padding stays untouched.
    const auto used = (static_cast<std::size_t>(c.width) * static_cast<std::size_t>(BitsPerPixel(c.format)) + 7) / 8;
    for (int y = 0; y < c.height; ++y)
      for (std::size_t b = used; b < picture.Stride(); ++b) ASSERT_EQ(picture.Row(y)[b], before.Row(y)[b]);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ApplyPatternFormats,
    testing::Values(FormatCase{PixelFormat::Bits32, 5, 4}, FormatCase{PixelFormat::Bits24, 7, 3},
                    FormatCase{PixelFormat::Bits16, 3, 5}, FormatCase{PixelFormat::Bits8, 9, 2},
                    FormatCase{PixelFormat::Bits4, 5, 5}, FormatCase{PixelFormat::Bits1, 11, 3},
                    FormatCase{PixelFormat::Bits32, 1, 1}, FormatCase{PixelFormat::Bits4, 1, 1}));

TEST(ApplyPattern, StoresTheKeyColourExactlyOrAsTheNearestTableColour) {
  for (PixelFormat format : {PixelFormat::Bits16, PixelFormat::Bits24, PixelFormat::Bits32}) {
    Picture picture(2, 1, format);
    ApplyPattern(picture, MixMode::x);
    EXPECT_EQ(picture.GetPixel(0, 0), KeyColor) << BitsPerPixel(format);
    EXPECT_EQ(picture.GetPixel(1, 0), White) << BitsPerPixel(format);
  }
  Picture paletted(2, 1, PixelFormat::Bits8,
                   {EntryOf(White), EntryOf(MakeColor(20, 0, 20)), EntryOf(MakeColor(0, 0, 0))});
  ApplyPattern(paletted, MixMode::x);
  EXPECT_EQ(paletted.GetRaw(0, 0), 1u);
  EXPECT_EQ(paletted.GetRaw(1, 0), 0u);
}

TEST(ApplyPattern, LeavesAnEmptyPictureEmpty) {
  Picture empty;
  ApplyPattern(empty, MixMode::full);
  EXPECT_TRUE(empty.Empty());
}

}  // namespace
}  // namespace ovelix
