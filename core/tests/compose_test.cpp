#include <gtest/gtest.h>

#include "core/bmp_file.h"
#include "core/compose.h"
#include "core/error.h"
#include "core/jpeg_graphic.h"
#include "core/pattern.h"
#include "core/solid_picture.h"
#include "core/stretch_copy.h"
#include "core/tests/error_of.h"
#include "core/tests/imagemagick_fixtures.h"
#include "core/tests/jpeg_fixtures.h"
#include "core/tests/test_support.h"

namespace ovelix {
namespace {

using testing_support::EncodeJpeg;
using testing_support::ErrorOf;
using testing_support::Get32;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

constexpr Color Red = MakeColor(255, 0, 0);
constexpr Color Blue = MakeColor(0, 0, 255);

class Compose : public testing::Test {
 protected:
  Compose() : solid_(ReadBmpBytes(SolidPictureBytes(), 32)) {}

  ComposeInputs Inputs(const std::u16string& wallpaper, int width, int height, int depth = 32) {
    ComposeInputs in;
    in.wallpaper = wallpaper;
    in.screenWidth = width;
    in.screenHeight = height;
    in.desktop = {0, 0, width, height};
    in.colorDepth = depth;
    in.programFolder = folder_.Folder();
    in.solidPicture = &solid_;
    in.showMessage = [this](const std::u16string& text) { messages_.push_back(text); };
    return in;
  }

  std::u16string Wallpaper(const std::string& name, const Picture& picture) {
    WriteBytes(folder_.Path() / name, BmpBytes(picture));
    return folder_.File(name);
  }

  Picture Written(const std::string& name) { return ReadBmpFile(folder_.File(name), 32); }
  bool Exists(const std::string& name) { return std::filesystem::exists(folder_.Path() / name); }

  // Every pixel is the key colour where the mode says so and `other(x, y)` elsewhere.
  template <typename Other>
  void ExpectMixed(const Picture& p, MixMode mode, Other other) {
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x)
        ASSERT_EQ(p.GetPixel(x, y), IsKeyPixel(mode, x, y) ? KeyColor : other(x, y)) << x << "," << y;
  }

  TempFolder folder_;
  Picture solid_;
  std::vector<std::u16string> messages_;
};

TEST_F(Compose, MixesAScreenSizeWallpaperAndWritesTheThreeFilesByteExact) {
  Picture wall(5, 3, PixelFormat::Bits24);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) wall.SetPixel(x, y, MakeColor(static_cast<std::uint8_t>(x * 40), static_cast<std::uint8_t>(y * 90), 7));
  const std::u16string path = Wallpaper("wall.bmp", wall);
  ComposeResults out;
  CreatePics(Inputs(path, 5, 3), out);
  EXPECT_TRUE(messages_.empty());

  const std::vector<std::uint8_t> mix1 = ReadBytes(folder_.Path() / "mix1.bmp");
  ASSERT_EQ(mix1.size(), 54u + 5 * 3 * 4);
  EXPECT_EQ(Get32(mix1, 10), 54u);
  EXPECT_EQ(Get32(mix1, 28) & 0xFFFF, 32u);
  auto wallColor = [&](int x, int y) { return wall.GetPixel(x, y); };
  ExpectMixed(Written("mix1.bmp"), MixMode::x, wallColor);
  ExpectMixed(Written("mix2.bmp"), MixMode::sharp, wallColor);
  ExpectMixed(out.previewX, MixMode::x, wallColor);
  ExpectMixed(out.previewSharp, MixMode::sharp, wallColor);
  EXPECT_EQ(ReadBytes(folder_.Path() / "Pict1.bmp"), std::vector<std::uint8_t>(SolidPictureBytes().begin(), SolidPictureBytes().end()));
  ASSERT_NE(out.previewNo, nullptr);
  EXPECT_EQ(out.previewNo->PictureToDraw().GetPixel(4, 2), wall.GetPixel(4, 2));
}

TEST_F(Compose, OnePixelWallpaperFillsTheScreenAndOtherDepthsKeepTheirFormat) {
  Picture dot(1, 1, PixelFormat::Bits24);
  dot.SetPixel(0, 0, Red);
  const std::u16string path = Wallpaper("dot.bmp", dot);
  for (int depth : {32, 24, 16}) {
    ComposeResults out;
    CreatePics(Inputs(path, 7, 4, depth), out);
    const Picture mix2 = Written("mix2.bmp");
    EXPECT_EQ(BitsPerPixel(mix2.Format()), depth);
    EXPECT_EQ(mix2.Width(), 7);
    EXPECT_EQ(mix2.Height(), 4);
    ExpectMixed(mix2, MixMode::sharp, [](int, int) { return Red; });
    ExpectMixed(Written("mix1.bmp"), MixMode::x, [](int, int) { return Red; });
  }
}

TEST_F(Compose, ATallScreenComesOutAsTheStretchedWallpaperWithThePatternByteForByte) {
  // Tall enough to be built in several pieces, odd width for row padding at every depth.
  constexpr int Width = 301;
  constexpr int Height = 1800;
  Picture wall(7, 5, PixelFormat::Bits24);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) wall.SetPixel(x, y, MakeColor(static_cast<std::uint8_t>(x * 37), static_cast<std::uint8_t>(y * 61), static_cast<std::uint8_t>(x * y * 11)));
  const std::u16string path = Wallpaper("small.bmp", wall);
  for (int depth : {32, 24, 4}) {
    ComposeResults out;
    CreatePics(Inputs(path, Width, Height, depth), out);
    Picture stretched = Picture::ScreenCompatible(depth);
    stretched.SetSize(Width, Height);
    StretchCopy(stretched, WholeOf(Width, Height), wall, WholeOf(7, 5));
    for (const auto& [mode, file] : {std::pair{MixMode::x, "mix1.bmp"}, std::pair{MixMode::sharp, "mix2.bmp"}}) {
      Picture expected = stretched;
      ApplyPattern(expected, mode);
      EXPECT_TRUE(ReadBytes(folder_.Path() / file) == BmpBytes(expected)) << file << " at " << depth;
    }
  }
}

TEST_F(Compose, WithoutAWallpaperFileTellsTheUserAndMixesOnWhite) {
  for (const std::u16string& wallpaper : {std::u16string(), folder_.File("gone.bmp")}) {
    messages_.clear();
    ComposeResults out;
    CreatePics(Inputs(wallpaper, 4, 3), out);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], u"Ошибка - не найден ваш фоновый рисунок \"" + wallpaper + u"\" ! Будет установлен чистый лист...");
    ExpectMixed(Written("mix1.bmp"), MixMode::x, [](int, int) { return White; });
    ExpectMixed(Written("mix2.bmp"), MixMode::sharp, [](int, int) { return White; });
    EXPECT_EQ(out.previewNo, nullptr);
  }
}

TEST_F(Compose, AWallpaperThatCannotBeReadFailsBeforeAnythingIsWritten) {
  // Its rows are decoded on a second thread as the composition takes them: the failure
  // comes from there, as reading it whole gives it.
  const std::vector<std::uint8_t> brokenScan = testing_support::JpegBrokenInItsScan(64, 64);
  const std::u16string brokenScanError = ErrorOf([&] { DecodeJpeg(brokenScan, 4, 3); });
  ASSERT_EQ(brokenScanError.substr(0, 12), u"JPEG error #");
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::u16string error;
  } cases[] = {
      {"notes.txt", {'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e', ' ', 'h', 'e', 'r', 'e', '.'},
       u"Bitmap image is not valid"},
      // "JPEG datastream contains no image"
      {"broken.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0, 0xFF, 0xD9},
       u"JPEG error #51"},
      {"scan.jpg", brokenScan, brokenScanError},
#ifndef _WIN32
      // Only the system's decoder reads it, and there is none here.
      {"photo.png", {std::begin(testing_support::ImageMagickPng), std::end(testing_support::ImageMagickPng)},
       u"Bitmap image is not valid"},
#endif
  };
  for (const auto& c : cases) {
    WriteBytes(folder_.Path() / c.name, c.bytes);
    ComposeResults out;
    EXPECT_EQ(ErrorOf([&] { CreatePics(Inputs(folder_.File(c.name), 4, 3), out); }), c.error) << c.name;
    EXPECT_FALSE(Exists("mix1.bmp") || Exists("mix2.bmp") || Exists("Pict1.bmp")) << c.name;
    EXPECT_TRUE(out.previewX.Empty());
  }
}

// A JPEG whose every row and column differ.
std::vector<std::uint8_t> GradientJpeg(int width, int height) {
  return EncodeJpeg(width, height, JCS_RGB, 95, false, [&](int y, std::uint8_t* row) {
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<std::uint8_t>(y * 7);
      row[3 * x + 1] = static_cast<std::uint8_t>(x * 5);
      row[3 * x + 2] = static_cast<std::uint8_t>(x * y);
    }
  });
}

TEST_F(Compose, AJpegIsMixedAsA24BitBmpOfItsPictureDecodedToCoverTheDesktop) {
  const struct {
    int jpegWidth;
    int jpegHeight;
    int width;
    int height;
    DesktopRect desktop;
  } cases[] = {
      // Larger than the picture, a quarter of it, two screens side by side.
      {32, 16, 40, 20, {0, 0, 40, 20}},
      {32, 16, 8, 4, {0, 0, 8, 4}},
      {32, 16, 8, 4, {-8, 0, 16, 4}},
      // Tall screens, built in many bands: rows shrunk, rows widened, and decoded at a half.
      {64, 3000, 301, 1800, {0, 0, 301, 1800}},
      {40, 90, 301, 1800, {0, 0, 301, 1800}},
      {1300, 3700, 301, 1800, {0, 0, 301, 1800}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.jpegWidth << "x" << c.jpegHeight << " on " << c.desktop.width << "x"
                                    << c.desktop.height);
    const std::vector<std::uint8_t> jpeg = GradientJpeg(c.jpegWidth, c.jpegHeight);
    WriteBmpFile(folder_.File("decoded.bmp"), DecodeJpeg(jpeg, c.desktop.width, c.desktop.height));
    ComposeInputs asBmp = Inputs(folder_.File("decoded.bmp"), c.width, c.height);
    asBmp.desktop = c.desktop;
    ComposeResults fromBmp;
    CreatePics(asBmp, fromBmp);
    const std::vector<std::uint8_t> mix1 = ReadBytes(folder_.Path() / "mix1.bmp");
    const std::vector<std::uint8_t> mix2 = ReadBytes(folder_.Path() / "mix2.bmp");

    // Named as a JPEG, the picture is decoded band by band as the composition goes; without
    // an extension it is decoded whole, for the preview.
    for (const char* name : {"photo.jpg", "TranscodedWallpaper"}) {
      WriteBytes(folder_.Path() / name, jpeg);
      ComposeInputs asJpeg = asBmp;
      asJpeg.wallpaper = folder_.File(name);
      ComposeResults fromJpeg;
      CreatePics(asJpeg, fromJpeg);
      EXPECT_TRUE(ReadBytes(folder_.Path() / "mix1.bmp") == mix1) << name;
      EXPECT_TRUE(ReadBytes(folder_.Path() / "mix2.bmp") == mix2) << name;
      EXPECT_TRUE(BmpBytes(fromJpeg.previewSharp) == BmpBytes(fromBmp.previewSharp)) << name;
    }
  }
  EXPECT_TRUE(messages_.empty());
}

TEST_F(Compose, ThePreviewOfModeNoIsLoadedByExtensionOnlyWhereThatNamesTheContent) {
  Picture wall(4, 2, PixelFormat::Bits24);
  wall.SetPixel(0, 0, Red);
  const std::vector<std::uint8_t> bmp = BmpBytes(wall);
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(32, 16, JCS_RGB, false);
  const struct {
    const char* name;
    const std::vector<std::uint8_t>* bytes;
    bool loadedByExtension;
    int width;  // the JPEG read at start is decoded at a quarter, to cover the 8 x 4 screen
  } cases[] = {
      {"wall.bmp", &bmp, true, 4},      {"photo.JPG", &jpeg, true, 32},  {"wall.jpeg", &bmp, false, 4},
      {"wall", &bmp, false, 4},         {"wall.gif", &bmp, false, 4},    {"TranscodedWallpaper", &jpeg, false, 8},
      {"photo.bmp", &jpeg, false, 8},   {"photo.ico", &jpeg, false, 8},
  };
  for (const auto& c : cases) {
    WriteBytes(folder_.Path() / c.name, *c.bytes);
    ComposeResults out;
    CreatePics(Inputs(folder_.File(c.name), 8, 4), out);
    ASSERT_NE(out.previewNo, nullptr) << c.name;
    EXPECT_EQ(out.previewNo->Width(), c.width) << c.name;
    const bool jpegGraphic = dynamic_cast<JpegGraphic*>(out.previewNo.get()) != nullptr;
    EXPECT_EQ(jpegGraphic, c.loadedByExtension && c.bytes == &jpeg) << c.name;
    const Color topLeft = out.previewNo->PictureToDraw().GetPixel(0, 0);
    EXPECT_EQ(topLeft == Red, c.bytes == &bmp) << c.name;
  }
}

TEST_F(Compose, KeptBytesAreReadInPlaceOfTheFileTheWallpaperNames) {
  Picture red(2, 2, PixelFormat::Bits24);
  red.Fill(Red);
  const std::vector<std::uint8_t> kept = BmpBytes(red);
  Picture blue(2, 2, PixelFormat::Bits24);
  blue.Fill(Blue);
  // The system's copy rewritten since, gone, or never named.
  const std::u16string rewritten = Wallpaper("TranscodedWallpaper", blue);
  for (const std::u16string& wallpaper : {rewritten, folder_.File("gone.jpg"), std::u16string()}) {
    ComposeInputs in = Inputs(wallpaper, 4, 2);
    in.keptWallpaper = &kept;
    ComposeResults out;
    CreatePics(in, out);
    EXPECT_TRUE(messages_.empty());
    ExpectMixed(Written("mix1.bmp"), MixMode::x, [](int, int) { return Red; });
    ASSERT_NE(out.previewNo, nullptr);
    EXPECT_EQ(out.previewNo->PictureToDraw().GetPixel(1, 1), Red);
  }
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(32, 16, JCS_RGB, false);
  ComposeInputs in = Inputs(rewritten, 8, 4);
  in.keptWallpaper = &jpeg;
  ComposeResults out;
  CreatePics(in, out);
  ASSERT_NE(out.previewNo, nullptr);
  EXPECT_EQ(out.previewNo->Width(), 8);  // the picture read at start, not the file's

  std::filesystem::remove(folder_.Path() / "mix1.bmp");
  const std::vector<std::uint8_t> text(20, 'x');
  in.keptWallpaper = &text;
  EXPECT_EQ(ErrorOf([&] { CreatePics(in, out); }), u"Bitmap image is not valid");
  EXPECT_FALSE(Exists("mix1.bmp"));
}

TEST_F(Compose, AnUnwritableFolderStopsAtTheFirstFile) {
  ComposeInputs in = Inputs(u"", 3, 2);
  in.programFolder = folder_.File("missing") + u"/";
  ComposeResults out;
  try {
    CreatePics(in, out);
    FAIL();
  } catch (const Error& e) {
    const std::u16string prefix = u"Cannot create file \"" + in.programFolder + u"mix1.bmp\". ";
    EXPECT_EQ(e.Message().substr(0, prefix.size()), prefix);
  }
  EXPECT_FALSE(out.previewX.Empty());  // made before the file
  EXPECT_TRUE(out.previewSharp.Empty());
}

TEST_F(Compose, SeveralScreensStretchTheWallpaperOverTheWholeDesktop) {
  // A second screen of the same size left of the primary one: the primary shows the right
  // half of the wallpaper; the preview shows the whole desktop shrunk, the part off the
  // primary screen white.
  Picture wall(2, 1, PixelFormat::Bits24);
  wall.SetPixel(0, 0, Red);
  wall.SetPixel(1, 0, Blue);
  ComposeInputs in = Inputs(Wallpaper("two.bmp", wall), 4, 2);
  in.desktop = {-4, 0, 8, 2};
  ComposeResults out;
  CreatePics(in, out);
  ExpectMixed(Written("mix2.bmp"), MixMode::sharp, [](int, int) { return Blue; });
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(out.previewX.GetPixel(0, y), White);
    EXPECT_EQ(out.previewX.GetPixel(1, y), White);
    // Pixels 0 and 1 of the primary meet: one is the key colour, one blue.
    EXPECT_EQ(out.previewX.GetPixel(2, y), KeyColor & Blue);
  }
}

TEST_F(Compose, AfterAFixTheOldMixedPictureIsReadBeforeItIsOverwritten) {
  ComposeResults first;
  CreatePics(Inputs(u"", 6, 4), first);
  ComposeResults second;
  CreatePics(Inputs(folder_.File("mix1.bmp"), 6, 4), second);
  // The pixels that mode sharp keeps are key pixels of mode x.
  ExpectMixed(Written("mix2.bmp"), MixMode::full, [](int, int) { return White; });
  ExpectMixed(Written("mix1.bmp"), MixMode::x, [](int, int) { return White; });
}

}  // namespace
}  // namespace ovelix
