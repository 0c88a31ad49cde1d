#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/picture.h"
#include "core/stretch_copy.h"

namespace ovelix {
namespace {

// A source row whose pixel i has only bit i cleared, so that an AND shows which pixels met.
Picture BitRow(int length, bool vertical) {
  Picture p(vertical ? 1 : length, vertical ? length : 1, PixelFormat::Bits32);
  for (int i = 0; i < length; ++i) p.SetRaw(vertical ? 0 : i, vertical ? i : 0, 0xFFFFFFu & ~(1u << i));
  return p;
}

// Which source pixels met in each target pixel: "01|2" for 3 onto 2.
std::string Merged(const Picture& p, bool vertical) {
  std::string out;
  const int n = vertical ? p.Height() : p.Width();
  for (int i = 0; i < n; ++i) {
    if (i > 0) out += '|';
    const std::uint32_t v = p.GetRaw(vertical ? 0 : i, vertical ? i : 0);
    for (int b = 0; b < 24; ++b)
      if ((v & (1u << b)) == 0) out += static_cast<char>(b < 10 ? '0' + b : 'a' + b - 10);
  }
  return out;
}

TEST(StretchCopy, MapsPixelsByTheirCentresAndAndsWhatMeets) {
  // The drawing system's results (measured under Wine), except onto one pixel, where it
  // drops the last source pixel and we combine them all.
  const struct {
    int from;
    int to;
    const char* merged;
  } cases[] = {
      {3, 2, "01|2"},         {5, 3, "01|2|34"},     {12, 5, "01|234|56|789|ab"},
      {10, 7, "0|12|3|45|6|78|9"},  {2, 3, "0|0|1"},  {3, 5, "0|0|1|2|2"},
      {4, 7, "0|0|1|1|2|3|3"}, {1, 3, "0|0|0"},     {4, 4, "0|1|2|3"},
      {3, 1, "012"},          {1, 1, "0"},
  };
  for (const auto& c : cases) {
    for (bool vertical : {false, true}) {
      Picture target = vertical ? Picture(1, c.to, PixelFormat::Bits32) : Picture(c.to, 1, PixelFormat::Bits32);
      const Picture source = BitRow(c.from, vertical);
      StretchCopy(target, WholeOf(target.Width(), target.Height()), source, WholeOf(source.Width(), source.Height()));
      EXPECT_EQ(Merged(target, vertical), c.merged) << c.from << " onto " << c.to << (vertical ? " rows" : " columns");
    }
  }
}

TEST(StretchCopy, ShrinksOneWayAndEnlargesTheOther) {
  Picture source(4, 1, PixelFormat::Bits24);
  for (int x = 0; x < 4; ++x) source.SetPixel(x, 0, MakeColor(static_cast<std::uint8_t>(0xF0 | 1 << x), 0x0F, 0xFF));
  Picture target(2, 3, PixelFormat::Bits32);
  StretchCopy(target, {0, 0, 2, 3}, source, {0, 0, 4, 1});
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(target.GetPixel(0, y), MakeColor(0xF0, 0x0F, 0xFF));  // (F1 AND F2)
    EXPECT_EQ(target.GetPixel(1, y), MakeColor(0xF0, 0x0F, 0xFF));  // (F4 AND F8)
  }
}

TEST(StretchCopy, ClipsByTheTargetAndKeepsTheMappingOfTheWholeRectangle) {
  // 4 onto 6 starting at -3: the visible part shows target pixels 3..5 of the whole.
  Picture target(4, 1, PixelFormat::Bits32);
  target.Fill(KeyColor);
  StretchCopy(target, {-3, 0, 3, 1}, BitRow(4, false), {0, 0, 4, 1});
  EXPECT_EQ(Merged(target, false).substr(0, 5), "2|2|3");
  EXPECT_EQ(target.GetPixel(3, 0), KeyColor);
}

TEST(StretchCopy, CopiesFromInsideTheSourceAndOnlyWithinTheClip) {
  const struct {
    Rect from;
    int to;
    const char* merged;
  } cases[] = {{{6, 0, 9, 1}, 5, "6|6|7|8|8"}, {{7, 0, 10, 1}, 2, "78|9"}, {{9, 0, 11, 1}, 2, "9|a"}};
  for (const auto& c : cases) {
    Picture target(c.to, 1, PixelFormat::Bits32);
    StretchCopy(target, WholeOf(c.to, 1), BitRow(12, false), c.from);
    EXPECT_EQ(Merged(target, false), c.merged) << c.from.left << ".." << c.from.right << " onto " << c.to;
  }
  // Only the target pixels inside the clip change; the mapping stays that of the whole.
  Picture target(4, 4, PixelFormat::Bits32);
  target.Fill(KeyColor);
  Picture source(2, 2, PixelFormat::Bits32);
  source.Fill(MakeColor(1, 2, 3));
  StretchCopy(target, WholeOf(4, 4), source, WholeOf(2, 2), {1, 2, 9, 3});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(target.GetPixel(x, y), y == 2 && x >= 1 ? MakeColor(1, 2, 3) : KeyColor) << x << "," << y;
}

TEST(StretchCopy, SourcePixelsOutsideTheSourceTakeNoPart) {
  // The left half of the source rectangle lies outside the source: those target pixels
  // keep their colour.
  Picture target(4, 1, PixelFormat::Bits32);
  target.Fill(KeyColor);
  StretchCopy(target, {0, 0, 4, 1}, BitRow(4, false), {-4, 0, 4, 1});
  EXPECT_EQ(target.GetPixel(0, 0), KeyColor);
  EXPECT_EQ(target.GetPixel(1, 0), KeyColor);
  EXPECT_EQ(target.GetRaw(2, 0), 0xFFFFFCu);  // source pixels 0 and 1
  EXPECT_EQ(target.GetRaw(3, 0), 0xFFFFF3u);  // 2 and 3
}

TEST(StretchCopy, ConvertsEveryFormatIntoTheTargets) {
  Picture paletted(2, 1, PixelFormat::Bits4, {EntryOf(MakeColor(1, 2, 3)), EntryOf(MakeColor(200, 100, 50))});
  paletted.SetRaw(0, 0, 1);
  paletted.SetRaw(1, 0, 0);
  Picture rgb555(2, 1, PixelFormat::Bits16);
  rgb555.SetRaw(0, 0, 0x7C00 | 0x0001);  // red 31, blue 1
  rgb555.SetRaw(1, 0, 0x03E0);
  Picture rgb565(1, 1, PixelFormat::Bits16, {}, {0xF800, 0x07E0, 0x001F});
  rgb565.SetRaw(0, 0, 0x0020);  // green 1 of 63
  const struct {
    const Picture* source;
    Color first;
  } cases[] = {{&paletted, MakeColor(200, 100, 50)}, {&rgb555, MakeColor(255, 0, 8)}, {&rgb565, MakeColor(0, 4, 0)}};
  for (const auto& c : cases) {
    for (PixelFormat format : {PixelFormat::Bits32, PixelFormat::Bits24}) {
      Picture target(1, 1, format);
      StretchCopy(target, {0, 0, 1, 1}, *c.source, {0, 0, 1, 1});
      EXPECT_EQ(target.GetPixel(0, 0), c.first);
    }
  }
  // Into a colour table: the colours are combined, then the nearest entry taken.
  Picture table(1, 1, PixelFormat::Bits8, {EntryOf(White), EntryOf(MakeColor(0, 0, 0)), EntryOf(MakeColor(0x40, 0, 0))});
  Picture two(2, 1, PixelFormat::Bits24);
  two.SetPixel(0, 0, MakeColor(0x60, 0xFF, 0));
  two.SetPixel(1, 0, MakeColor(0xC0, 0, 0xFF));
  StretchCopy(table, {0, 0, 1, 1}, two, {0, 0, 2, 1});
  EXPECT_EQ(table.GetRaw(0, 0), 2u);  // 0x40 0 0
}

TEST(StretchCopy, EmptyRectanglesAndPicturesCopyNothing) {
  Picture target(2, 2, PixelFormat::Bits32);
  const Picture source(1, 1, PixelFormat::Bits32);
  Picture black(1, 1, PixelFormat::Bits32);
  black.Fill(0);
  StretchCopy(target, {0, 0, 0, 2}, black, {0, 0, 1, 1});
  StretchCopy(target, {2, 0, 1, 2}, black, {0, 0, 1, 1});
  StretchCopy(target, {0, 0, 2, 2}, black, {0, 0, 1, 0});
  StretchCopy(target, {0, 0, 2, 2}, Picture(), {0, 0, 1, 1});
  StretchCopy(target, {5, 5, 9, 9}, black, {0, 0, 1, 1});
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(target.GetPixel(x, y), White);
}

}  // namespace
}  // namespace ovelix
