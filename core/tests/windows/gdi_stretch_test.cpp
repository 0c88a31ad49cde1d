// Our stretching copy and format conversions against GDI's StretchBlt in its default mode,
// with 32-bit DIB sections as targets.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "core/bmp_file.h"
#include "core/picture.h"
#include "core/stretch_copy.h"

namespace ovelix {
namespace {

// A DIB section holding a copy of a picture, selected into a memory DC.
class GdiPicture {
 public:
  explicit GdiPicture(const Picture& picture) : picture_(picture) {
    const std::vector<std::uint8_t> info = BitmapInfoBytes(picture);
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint8_t*>(bits);
    std::memcpy(bits_, picture.Bits(), picture.StoreBytes());
    old_ = SelectObject(dc_, bitmap_);
  }
  ~GdiPicture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  GdiPicture(const GdiPicture&) = delete;
  GdiPicture& operator=(const GdiPicture&) = delete;

  HDC Dc() const { return dc_; }
  bool Valid() const { return bitmap_ != nullptr; }
  // The pixels as GDI left them, in a copy of the original picture.
  Picture Pixels() {
    GdiFlush();
    std::memcpy(picture_.Bits(), bits_, picture_.StoreBytes());
    return picture_;
  }

 private:
  Picture picture_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint8_t* bits_ = nullptr;
};

Picture RandomPicture(int width, int height, PixelFormat format, std::mt19937& random) {
  std::vector<PaletteEntry> palette;
  if (format == PixelFormat::Bits8) {
    for (int i = 0; i < 256; ++i) palette.push_back(EntryOf(static_cast<Color>(random()) & 0xFFFFFF));
  }
  Picture p(width, height, format, palette);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = static_cast<std::uint32_t>(random());
      p.SetRaw(x, y, format == PixelFormat::Bits8 ? v & 0xFF : format == PixelFormat::Bits16 ? v & 0x7FFF : v & 0xFFFFFF);
    }
  return p;
}

struct Case {
  int sourceWidth, sourceHeight;
  Rect target;  // in a 12 x 10 target
};

// Target and source rectangles of every kind: enlarging, shrinking, mixed, 1 x 1 sources,
// targets starting at negative coordinates and reaching past the target.
const Case Cases[] = {
    {3, 2, {0, 0, 7, 5}},     {9, 7, {0, 0, 4, 3}},    {9, 2, {1, 1, 5, 6}},    {2, 9, {0, 2, 5, 6}},
    {1, 1, {2, 3, 7, 6}},     {6, 4, {3, 2, 9, 6}},    {5, 3, {-3, -2, 7, 4}},  {7, 8, {-4, 1, 10, 12}},
    {37, 29, {0, 0, 12, 10}}, {11, 9, {-20, -15, 30, 25}}, {12, 10, {0, 0, 12, 10}}, {16, 12, {4, 3, 20, 18}},
};

TEST(GdiStretch, OursMatchesStretchBltForEveryFormatAndSize) {
  std::mt19937 random(7);
  int compared = 0;
  for (PixelFormat format : {PixelFormat::Bits8, PixelFormat::Bits16, PixelFormat::Bits24, PixelFormat::Bits32}) {
    for (const Case& c : Cases) {
      const Picture source = RandomPicture(c.sourceWidth, c.sourceHeight, format, random);
      Picture target(12, 10, PixelFormat::Bits32);
      target.Fill(MakeColor(0x12, 0x34, 0x56));
      GdiPicture gdiSource(source);
      GdiPicture gdiTarget(target);
      ASSERT_TRUE(gdiSource.Valid() && gdiTarget.Valid());
      ASSERT_EQ(GetStretchBltMode(gdiTarget.Dc()), BLACKONWHITE);
      ASSERT_TRUE(StretchBlt(gdiTarget.Dc(), c.target.left, c.target.top, c.target.Width(), c.target.Height(),
                             gdiSource.Dc(), 0, 0, c.sourceWidth, c.sourceHeight, SRCCOPY));
      StretchCopy(target, c.target, source, WholeOf(c.sourceWidth, c.sourceHeight));
      const Picture theirs = gdiTarget.Pixels();
      for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
          ASSERT_EQ(target.GetRaw(x, y), theirs.GetRaw(x, y) & 0xFFFFFF)
              << BitsPerPixel(format) << " bits, " << c.sourceWidth << "x" << c.sourceHeight << " onto " << c.target.Width()
              << "x" << c.target.Height() << " at " << c.target.left << "," << c.target.top << ": pixel " << x << "," << y;
      ++compared;
    }
  }
  EXPECT_EQ(compared, 48);
}

TEST(GdiStretch, SourceRectanglesReachingOutsideTheSourceAgree) {
  std::mt19937 random(11);
  const Picture source = RandomPicture(4, 4, PixelFormat::Bits24, random);
  const Rect sources[] = {{-4, 0, 4, 4}, {-2, -2, 6, 6}, {2, 0, 6, 4}, {-4, -4, 8, 8}};
  for (const Rect& s : sources) {
    Picture target(4, 4, PixelFormat::Bits32);
    target.Fill(MakeColor(0x12, 0x34, 0x56));
    GdiPicture gdiSource(source);
    GdiPicture gdiTarget(target);
    StretchBlt(gdiTarget.Dc(), 0, 0, 4, 4, gdiSource.Dc(), s.left, s.top, s.Width(), s.Height(), SRCCOPY);
    StretchCopy(target, {0, 0, 4, 4}, source, s);
    const Picture theirs = gdiTarget.Pixels();
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        EXPECT_EQ(target.GetRaw(x, y), theirs.GetRaw(x, y) & 0xFFFFFF) << s.left << "," << s.top << ": " << x << "," << y;
  }
}

TEST(GdiStretch, ShrinkingToOnePixelGdiLeavesOutTheLastSourcePixel) {
  // Wine's StretchBlt combines source pixels 0 to n-2 when shrinking n pixels to one, which
  // breaks its own rule for every other width; we combine all n.
  std::mt19937 random(3);
  const Picture source = RandomPicture(5, 3, PixelFormat::Bits32, random);
  Picture ours(1, 1, PixelFormat::Bits32);
  Picture withoutLast(1, 1, PixelFormat::Bits32);
  GdiPicture gdiSource(source);
  GdiPicture gdiTarget(ours);
  StretchBlt(gdiTarget.Dc(), 0, 0, 1, 1, gdiSource.Dc(), 0, 0, 5, 3, SRCCOPY);
  StretchCopy(ours, {0, 0, 1, 1}, source, {0, 0, 5, 3});
  StretchCopy(withoutLast, {0, 0, 1, 1}, source, {0, 0, 4, 2});
  std::uint32_t all = 0xFFFFFF;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) all &= source.GetRaw(x, y);
  EXPECT_EQ(ours.GetRaw(0, 0), all);
  EXPECT_EQ(gdiTarget.Pixels().GetRaw(0, 0) & 0xFFFFFF, withoutLast.GetRaw(0, 0));
}

}  // namespace
}  // namespace ovelix
