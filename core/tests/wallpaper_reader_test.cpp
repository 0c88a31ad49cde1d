#include <gtest/gtest.h>


#include "core/bmp_file.h"
#include "core/error.h"
#include "core/jpeg_graphic.h"
#include "core/tests/error_of.h"
#include "core/tests/imagemagick_fixtures.h"
#include "core/tests/jpeg_fixtures.h"
#include "core/tests/test_support.h"
#include "core/wallpaper_reader.h"

namespace ovelix {
namespace {

using testing_support::EncodeJpeg;
using testing_support::MarkerAt;
using testing_support::ErrorOf;
using testing_support::NoError;
using testing_support::TempFolder;
using testing_support::WriteBytes;

constexpr Color Red = MakeColor(255, 0, 0);
constexpr Color Blue = MakeColor(0, 0, 255);

// A wallpaper's picture as the composition for a 1024 x 768 desktop of 32 bits takes it.
Picture Read(WallpaperContent content) { return TakePicture(content, 1024, 768); }
Picture ReadBytes(std::span<const std::uint8_t> bytes) { return Read(ReadWallpaperBytes(bytes, 32)); }

// The text's bytes, zero bytes within it included, without its terminating zero.
template <std::size_t N>
std::vector<std::uint8_t> Bytes(const char (&text)[N]) {
  return {std::begin(text), std::end(text) - 1};
}

template <std::size_t N>
std::vector<std::uint8_t> Bytes(const std::uint8_t (&array)[N]) {
  return {std::begin(array), std::end(array)};
}

// The picture or the error text a read gives, to compare two readers' outcomes whole.
struct Outcome {
  std::u16string error = NoError;
  std::vector<std::uint8_t> bmp;  // the picture as a file, header fields and padding included
  bool empty = true;

  friend bool operator==(const Outcome&, const Outcome&) = default;
};

template <typename Read>
Outcome OutcomeOf(Read&& read) {
  Outcome outcome;
  outcome.error = ErrorOf([&] {
    const Picture p = read();
    outcome.empty = p.Empty();
    outcome.bmp = BmpBytes(p);
  });
  return outcome;
}

// Near a colour, within what JPEG's compression changes.
testing::AssertionResult Near(Color actual, Color expected, int tolerance = 24) {
  const int channels[][2] = {{RedOf(actual), RedOf(expected)},
                             {GreenOf(actual), GreenOf(expected)},
                             {BlueOf(actual), BlueOf(expected)}};
  for (const auto& c : channels) {
    if (std::abs(c[0] - c[1]) > tolerance) {
      return testing::AssertionFailure() << std::hex << "colour " << actual << ", expected about " << expected;
    }
  }
  return testing::AssertionSuccess();
}

TEST(ReadWallpaper, WhatIsNoOtherPictureIsReadByTheBmpReaderExactlyAsBefore) {
  Picture bmp24(3, 2, PixelFormat::Bits24);
  bmp24.SetPixel(2, 1, KeyColor);
  Picture bmp8(5, 3, PixelFormat::Bits8, {{1, 2, 3, 0}, {200, 100, 50, 0}});
  bmp8.SetRaw(4, 2, 1);
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"a 24-bit BMP", BmpBytes(bmp24)},
      {"an 8-bit BMP", BmpBytes(bmp8)},
      {"an empty file", {}},
      {"one byte", Bytes("B")},
      {"a BMP cut in its header", Bytes("BM\x10\0\0\0")},
      {"text", Bytes("This is no picture at all.")},
      {"a GIF of no known version", Bytes("GIF88a\x02\0\x02\0")},
      {"the first two bytes of a JPEG", {0xFF, 0xD8}},
      {"seven bytes of PNG signature", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A}},
      {"an icon", Bytes(testing_support::ImageMagickIcon)},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Outcome before = OutcomeOf([&] { return ReadBmpBytes(c.bytes, 32); });
    EXPECT_EQ(OutcomeOf([&] { return ReadBytes(c.bytes); }), before);
    WriteBytes(folder.Path() / "wall.jpg", c.bytes);
    EXPECT_EQ(OutcomeOf([&] { return Read(ReadWallpaperFile(folder.File("wall.jpg"), 32)); }), before);
    if (before.error == NoError) {
      EXPECT_EQ(ReadWallpaperBytes(c.bytes, 32).format, PictureFormat::Bmp);
    }
  }
  EXPECT_EQ(ErrorOf([&] { ReadWallpaperFile(folder.File("missing.bmp"), 32); }).substr(0, 17),
            u"Cannot open file ");
}

TEST(ReadWallpaper, AJpegIsDecodedToTwentyFourBitsWhateverItsName) {
  const std::vector<std::uint8_t> rgb = EncodeJpeg(32, 16, JCS_RGB, false);
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
    Color left;
    Color right;
  } cases[] = {
      {"RGB", rgb, Red, Blue},
      {"progressive", EncodeJpeg(32, 16, JCS_RGB, true), Red, Blue},
      {"greyscale", EncodeJpeg(32, 16, JCS_GRAYSCALE, false), MakeColor(40, 40, 40), MakeColor(220, 220, 220)},
      {"CMYK", EncodeJpeg(32, 16, JCS_CMYK, false), Red, Blue},
      {"YCCK by ImageMagick", Bytes(testing_support::ImageMagickCmykJpeg), Red, Blue},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const char* name : {"TranscodedWallpaper", "photo.bmp"}) {
      WriteBytes(folder.Path() / name, c.bytes);
      WallpaperContent content = ReadWallpaperFile(folder.File(name), 32);
      EXPECT_EQ(content.format, PictureFormat::Jpeg);
      EXPECT_TRUE(content.jpeg == c.bytes);
      const Picture p = TakePicture(content, 1024, 768);
      EXPECT_EQ(p.Format(), PixelFormat::Bits24);
      EXPECT_TRUE(Near(p.GetPixel(2, p.Height() / 2), c.left));
      EXPECT_TRUE(Near(p.GetPixel(p.Width() - 3, p.Height() / 2), c.right));
    }
  }
  EXPECT_EQ(BmpBytes(ReadBytes(rgb)), BmpBytes(DecodeJpeg(rgb, 1024, 768)));
}

TEST(ReadWallpaper, ABrokenJpegFailsWithLibjpegsMessageNumber) {
  std::vector<std::uint8_t> noWidth = EncodeJpeg(16, 16, JCS_RGB, false);
  const std::size_t frame = MarkerAt(noWidth, 0xC0);
  noWidth[frame + 7] = 0;
  noWidth[frame + 8] = 0;
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
    std::u16string error;
  } cases[] = {
      // "JPEG datastream contains no image"
      {"headers only", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0, 0xFF, 0xD9},
       u"JPEG error #51"},
      // An input that ends early is only warned about, and then ends as the one above.
      {"cut before the frame", {0xFF, 0xD8, 0xFF}, u"JPEG error #51"},
      // "Empty JPEG image (DNL not supported)"
      {"a frame of no width", noWidth, u"JPEG error #32"},
      {"a bogus marker in the scan", testing_support::JpegBrokenInItsScan(64, 64), u"JPEG error #"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorOf([&] { ReadBytes(c.bytes); }).substr(0, c.error.size()), c.error) << c.what;
  }
}

TEST(DecodeJpeg, DecodesAtTheSmallestScaleThatStillCoversWhatItIsStretchedOver) {
  const std::vector<std::uint8_t> wide = EncodeJpeg(64, 32, JCS_RGB, false);
  const std::vector<std::uint8_t> odd = EncodeJpeg(61, 35, JCS_RGB, true);
  const struct {
    const std::vector<std::uint8_t>* bytes;
    int coverWidth;
    int coverHeight;
    int width;
    int height;
  } cases[] = {
      {&wide, 64, 32, 64, 32}, {&wide, 100, 10, 64, 32}, {&wide, 33, 16, 64, 32}, {&wide, 32, 16, 32, 16},
      {&wide, 32, 17, 64, 32}, {&wide, 9, 4, 16, 8},     {&wide, 8, 5, 16, 8},    {&wide, 8, 4, 8, 4},
      {&wide, 1, 1, 8, 4},     {&odd, 31, 18, 31, 18},   {&odd, 31, 19, 61, 35},  {&odd, 1, 1, 8, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "cover " << c.coverWidth << "x" << c.coverHeight);
    const Picture p = DecodeJpeg(*c.bytes, c.coverWidth, c.coverHeight);
    ASSERT_EQ(p.Width(), c.width);
    ASSERT_EQ(p.Height(), c.height);
    EXPECT_TRUE(Near(p.GetPixel(0, 0), Red));
    EXPECT_TRUE(Near(p.GetPixel(p.Width() - 1, p.Height() - 1), Blue));
  }
}

TEST(DecodeJpeg, AHeaderLargerThanAStoreMayBeFailsBeforeDecoding) {
  // 60000 x 60000 at full scale would be a 10 GB picture; at 1/8 it is 169 MB, within the
  // limit, and then the missing scan data is what fails.
  std::vector<std::uint8_t> bytes = EncodeJpeg(8, 8, JCS_RGB, false);
  const std::size_t frame = MarkerAt(bytes, 0xC0);
  for (std::size_t at : {frame + 5, frame + 7}) {
    bytes[at] = 60000 >> 8;
    bytes[at + 1] = 60000 & 0xFF;
  }
  EXPECT_EQ(ErrorOf([&] { DecodeJpeg(bytes, 60000, 60000); }), u"Out of system resources");
}

TEST(DecodeWithSystem, ReadsTheFirstFrameOrPageOnWindowsAndNothingElsewhere) {
  // The PNG's bottom right pixel is transparent red: the transparency is dropped.
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
    PictureFormat format;
    std::vector<Color> rows;  // row by row, top first
  } cases[] = {
      {"PNG", Bytes(testing_support::ImageMagickPng), PictureFormat::Png, {Blue, Red, Red, Red, Red, Red}},
      {"GIF", Bytes(testing_support::ImageMagickGif), PictureFormat::Gif, {Red, Red, Red, Red}},
      {"TIFF", Bytes(testing_support::ImageMagickTiff), PictureFormat::Tiff,
       {MakeColor(0, 255, 0), MakeColor(0, 255, 0), MakeColor(0, 255, 0), MakeColor(0, 255, 0)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
#ifdef _WIN32
    WallpaperContent content = ReadWallpaperBytes(c.bytes, 32);
    EXPECT_EQ(content.format, c.format);
    const Picture p = TakePicture(content, 1024, 768);
    EXPECT_EQ(p.Format(), PixelFormat::Bits24);
    ASSERT_EQ(static_cast<std::size_t>(p.Width() * p.Height()), c.rows.size());
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x) EXPECT_EQ(p.GetPixel(x, y), c.rows[static_cast<std::size_t>(y * p.Width() + x)]);
#else
    EXPECT_EQ(ErrorOf([&] { ReadBytes(c.bytes); }), u"Bitmap image is not valid");
#endif
    std::vector<std::uint8_t> broken(c.bytes.begin(), c.bytes.begin() + 12);
    broken.resize(64, 0x5A);
    EXPECT_EQ(ErrorOf([&] { ReadBytes(broken); }), u"Bitmap image is not valid");
  }
}

}  // namespace
}  // namespace ovelix
