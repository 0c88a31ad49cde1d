#include <gtest/gtest.h>

#include <csetjmp>

#include "core/bmp_file.h"
#include "core/error.h"
#include "core/icon_reader.h"
#include "core/jpeg_graphic.h"
#include "core/metafile_graphic.h"
#include "core/preview_fit.h"
#include "core/preview_loader.h"
#include "core/tests/error_of.h"
#include "core/tests/imagemagick_fixtures.h"
#include "core/tests/jpeg_fixtures.h"
#include "core/tests/test_support.h"

namespace ovelix {
namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

using testing_support::EncodeJpeg;
using testing_support::ErrorOf;
using testing_support::NoError;

TEST(PictureExtension, IsTheTextAfterTheLastDotOfTheName) {
  const struct {
    std::u16string_view path;
    std::u16string_view extension;
  } cases[] = {
      {u"C:\\pics\\wall.bmp", u"bmp"}, {u"C:\\pics\\wall.tar.JPG", u"JPG"}, {u"C:\\pics.d\\wall", u""},
      {u"C:wall", u""},                {u"D:.x", u"x"},                     {u"C:\\wall.", u""},
      {u"", u""},                      {u"a.b:c", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(PictureExtension(c.path), c.extension) << std::string(c.path.begin(), c.path.end());
}

TEST(LoadPreview, ChoosesTheReaderByExtensionWithoutRegardToCase) {
  TempFolder folder;
  Picture bmp(3, 2, PixelFormat::Bits24);
  bmp.SetPixel(0, 0, KeyColor);
  const std::vector<std::uint8_t> bmpBytes = BmpBytes(bmp);
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(16, 8, JCS_RGB, false);
  // What the user reads when a BMP named as a JPEG reaches libjpeg: "Not a JPEG file".
  const std::u16string noSoi = u"JPEG error #53";
  const struct {
    const char* name;
    const std::vector<std::uint8_t>* bytes;
    std::u16string error;
    int width;
  } cases[] = {
      {"a.bmp", &bmpBytes, NoError, 3},
      {"a.BMP", &bmpBytes, NoError, 3},
      {"a.Jpg", &jpeg, NoError, 16},
      {"a.JPEG", &jpeg, NoError, 16},
      {"bmp-named.jpg", &bmpBytes, noSoi, 0},
      {"bmp-named.JPG", &bmpBytes, noSoi, 0},
      {"bmp-named.ico", &bmpBytes, u"Icon image is not valid", 0},
      {"bmp-named.emf", &bmpBytes, u"Metafile is not valid", 0},
      {"bmp-named.WMF", &bmpBytes, u"Metafile is not valid", 0},
      {"jpeg-named.bmp", &jpeg, u"Bitmap image is not valid", 0},
      {"a.png", &bmpBytes, u"Unknown picture file extension (.png)", 0},
      {"a.Gif", &bmpBytes, u"Unknown picture file extension (.Gif)", 0},
      {"noextension", &bmpBytes, u"Unknown picture file extension (.)", 0},
  };
  for (const auto& c : cases) {
    WriteBytes(folder.Path() / c.name, *c.bytes);
    std::unique_ptr<PreviewGraphic> graphic;
    EXPECT_EQ(ErrorOf([&] { graphic = LoadPreview(folder.File(c.name), 32); }), c.error) << c.name;
    if (graphic) {
      EXPECT_EQ(graphic->Width(), c.width) << c.name;
      EXPECT_FALSE(graphic->Empty());
    }
  }
  EXPECT_EQ(LoadPreview(folder.File("a.bmp"), 32)->PictureToDraw().GetPixel(0, 0), KeyColor);
  const std::u16string missing = folder.File("missing.jpg");
  EXPECT_EQ(ErrorOf([&] { LoadPreview(missing, 32); }).substr(0, 17), u"Cannot open file ");
}

TEST(JpegGraphic, ReadsTheHeaderAtOnceAndDecodesWhenFirstDrawn) {
  for (bool grey : {false, true}) {
    for (bool progressive : {false, true}) {
      JpegGraphic graphic(EncodeJpeg(32, 16, grey ? JCS_GRAYSCALE : JCS_RGB, progressive), 32);
      EXPECT_EQ(graphic.Width(), 32);
      EXPECT_EQ(graphic.Height(), 16);
      EXPECT_EQ(graphic.Grayscale(), grey);
      EXPECT_EQ(graphic.Progressive(), progressive);
      const Picture& p = graphic.PictureToDraw();
      EXPECT_EQ(&p, &graphic.PictureToDraw());  // decoded once
      EXPECT_EQ(p.Format(), grey ? PixelFormat::Bits8 : PixelFormat::Bits24);
      const Color left = p.GetPixel(4, 8);
      const Color right = p.GetPixel(28, 8);
      if (grey) {
        EXPECT_NEAR(RedOf(left), 40, 8);
        EXPECT_NEAR(RedOf(right), 220, 8);
      } else {
        EXPECT_GT(RedOf(left), 230);
        EXPECT_LT(BlueOf(left), 25);
        EXPECT_GT(BlueOf(right), 230);
        EXPECT_LT(RedOf(right), 25);
      }
    }
  }
  // On a screen of 8 bits a colour picture gets a table of at most 236 colours.
  JpegGraphic eight(EncodeJpeg(32, 16, JCS_RGB, false), 8);
  EXPECT_EQ(eight.PictureToDraw().Format(), PixelFormat::Bits8);
  EXPECT_LE(eight.PictureToDraw().Palette().size(), 236u);
  EXPECT_GT(RedOf(eight.PictureToDraw().GetPixel(4, 8)), 200);
}

TEST(JpegGraphic, CmykAndYcckPicturesShowTheirColoursAtEveryDepth) {
  const std::vector<std::uint8_t> fromImageMagick(std::begin(testing_support::ImageMagickCmykJpeg),
                                                  std::end(testing_support::ImageMagickCmykJpeg));
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
  } files[] = {{"YCCK by ImageMagick", fromImageMagick}, {"CMYK by libjpeg", EncodeJpeg(16, 8, JCS_CMYK, false)}};
  for (const auto& file : files) {
    for (int depth : {32, 8}) {
      JpegGraphic graphic(file.bytes, depth);
      const Picture& p = graphic.PictureToDraw();
      EXPECT_EQ(p.Format(), depth == 32 ? PixelFormat::Bits24 : PixelFormat::Bits8) << file.what;
      const Color left = p.GetPixel(2, 4);
      const Color right = p.GetPixel(13, 4);
      EXPECT_GT(RedOf(left), 230) << file.what << " at " << depth;
      EXPECT_LT(BlueOf(left), 25) << file.what << " at " << depth;
      EXPECT_LT(GreenOf(left), 25) << file.what << " at " << depth;
      EXPECT_GT(BlueOf(right), 230) << file.what << " at " << depth;
      EXPECT_LT(RedOf(right), 25) << file.what << " at " << depth;
    }
  }
}

TEST(JpegGraphic, ADecoderNeedingMoreMemoryThanAStoreMayHaveFails) {
  // A progressive greyscale header of 30000 x 30000: its 900 MB picture is allowed, the
  // 1.8 GB of coefficients that progressive decoding keeps are not.
  std::vector<std::uint8_t> bytes = EncodeJpeg(8, 8, JCS_GRAYSCALE, true);
  std::size_t frame = 0;
  while (!(bytes[frame] == 0xFF && bytes[frame + 1] == 0xC2)) ++frame;
  for (std::size_t at : {frame + 5, frame + 7}) {
    bytes[at] = 30000 >> 8;
    bytes[at + 1] = 30000 & 0xFF;
  }
  JpegGraphic graphic(bytes, 32);
  ASSERT_EQ(graphic.Width(), 30000);
  // libjpeg's "Backing store not supported": the picture would need more than the limit.
  EXPECT_EQ(ErrorOf([&] { graphic.PictureToDraw(); }), u"JPEG error #49");
}

TEST(JpegGraphic, ErrorsInTheImageDataFailWhenDrawn) {
  std::vector<std::uint8_t> bytes = EncodeJpeg(64, 64, JCS_RGB, false);
  // Keep the headers, cut inside the scan and end with a bogus marker.
  std::size_t scan = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA) scan = i;
  }
  bytes.resize(scan + 20);
  bytes.insert(bytes.end(), {0xFF, 0xC3, 0x00, 0x02});
  JpegGraphic graphic(bytes, 32);
  EXPECT_EQ(ErrorOf([&] { graphic.PictureToDraw(); }).substr(0, 12), u"JPEG error #");
}

// An icon file of one 2 x 2 bitmap image: its 40-byte header (the height doubled), `body`
// (colour masks, colour table and colour rows as the header says) and the mask rows, which
// leave out the top right pixel.
std::vector<std::uint8_t> TwoByTwoIcon(int bits, std::uint32_t compression, std::uint32_t colorsUsed,
                                       const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> image;
  testing_support::Put32(image, 40);
  testing_support::Put32(image, 2);
  testing_support::Put32(image, 4);
  testing_support::Put16(image, 1);
  testing_support::Put16(image, static_cast<std::uint32_t>(bits));
  testing_support::Put32(image, compression);
  image.resize(32);
  testing_support::Put32(image, colorsUsed);
  testing_support::Put32(image, 0);
  image.insert(image.end(), body.begin(), body.end());
  image.insert(image.end(), {0x00, 0, 0, 0, 0x40, 0, 0, 0});  // bottom row, then top row
  std::vector<std::uint8_t> icon{0, 0, 1, 0, 1, 0, 2, 2, 0, 0, 1, 0, static_cast<std::uint8_t>(bits), 0};
  testing_support::Put32(icon, static_cast<std::uint32_t>(image.size()));
  testing_support::Put32(icon, 22);
  icon.insert(icon.end(), image.begin(), image.end());
  return icon;
}

TEST(IconReader, ReadsTheMaskAfterTheColourMasksTableAndRowsAtEveryDepth) {
  const std::vector<std::uint8_t> key32{0x10, 0x00, 0x10, 0xFF};
  const std::vector<std::uint8_t> key24Row{0x10, 0x00, 0x10, 0x10, 0x00, 0x10, 0, 0};
  const std::vector<std::uint8_t> key565Row{0x02, 0x10, 0x02, 0x10};  // 0x1002 twice
  const std::vector<std::uint8_t> masks565{0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
  const std::vector<std::uint8_t> table{0xFF, 0xFF, 0xFF, 0, 0xFF, 0, 0, 0, 0x10, 0x00, 0x10, 0};  // white, blue, key
  auto repeat = [](std::vector<std::uint8_t> head, const std::vector<std::uint8_t>& part, int times) {
    for (int i = 0; i < times; ++i) head.insert(head.end(), part.begin(), part.end());
    return head;
  };
  const struct {
    const char* what;
    std::vector<std::uint8_t> icon;
  } cases[] = {
      {"32 bits", TwoByTwoIcon(32, 0, 0, repeat({}, key32, 4))},
      {"24 bits with a table of the colours used", TwoByTwoIcon(24, 0, 2, repeat({table.begin(), table.begin() + 8}, key24Row, 2))},
      {"16 bits with colour masks", TwoByTwoIcon(16, 3, 0, repeat(masks565, key565Row, 2))},
      {"8 bits with three colours", TwoByTwoIcon(8, 0, 3, repeat(table, {2, 2, 0, 0}, 2))},
  };
  for (const auto& c : cases) {
    const Picture p = ReadIcon(c.icon, 32);
    ASSERT_EQ(p.Width(), 2) << c.what;
    ASSERT_EQ(p.Height(), 2) << c.what;
    EXPECT_EQ(p.GetPixel(0, 0), KeyColor) << c.what;
    EXPECT_EQ(p.GetPixel(1, 0), White) << c.what;
    EXPECT_EQ(p.GetPixel(0, 1), KeyColor) << c.what;
    EXPECT_EQ(p.GetPixel(1, 1), KeyColor) << c.what;
  }

  const std::span<const std::uint8_t> written(testing_support::ImageMagickIcon);
  const Picture fromImageMagick = ReadIcon(written, 32);
  ASSERT_EQ(fromImageMagick.Width(), 3);
  const Color Red = MakeColor(255, 0, 0);
  const Color expected[2][3] = {{MakeColor(0, 0, 255), Red, Red}, {Red, Red, White}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(fromImageMagick.GetPixel(x, y), expected[y][x]) << x << "," << y;
}

TEST(IconReader, RejectsAnythingButABitmapIcon) {
  std::vector<std::uint8_t> icon = TwoByTwoIcon(32, 0, 0, std::vector<std::uint8_t>(16));
  icon[2] = 2;  // a cursor
  EXPECT_EQ(ErrorOf([&] { ReadIcon(icon, 32); }), u"Icon image is not valid");
  icon[2] = 1;
  icon.resize(30);
  EXPECT_EQ(ErrorOf([&] { ReadIcon(icon, 32); }), u"Icon image is not valid");
}

TEST(MetafileGraphic, TakesItsSizeFromTheHeaderAndRejectsAnythingElse) {
  std::vector<std::uint8_t> wmf{0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0xE0, 0x01, 0xF0, 0x00, 0xE0, 0x01, 0, 0, 0, 0, 0, 0};
  wmf.insert(wmf.end(), {1, 0, 9, 0, 0, 3, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0});
  const MetafileGraphic graphic(wmf);
  EXPECT_EQ(graphic.Width(), 480 * 96 / 480);
  EXPECT_EQ(graphic.Height(), 240 * 96 / 480);
  EXPECT_FALSE(graphic.Enhanced());
  wmf[0] = 0;
  EXPECT_EQ(ErrorOf([&] { MetafileGraphic{wmf}; }), u"Metafile is not valid");
}

TEST(PreviewFit, FitsAndCentresKeepingTheAspectRatio) {
  const struct {
    int width;
    int height;
    PreviewPlace place;
  } cases[] = {
      {92, 78, {11, 0, 184, 156}},    {1920, 1080, {0, 20, 206, 115}},
      {1, 1, {25, 0, 156, 156}},      {100, 10, {0, 68, 206, 20}},     {10, 100, {95, 0, 15, 156}},
      {300, 200, {0, 9, 206, 137}},   {2000, 1, {0, 78, 206, 0}},      {0, 5, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(PreviewFit(c.width, c.height), c.place) << c.width << "x" << c.height;
}

}  // namespace
}  // namespace ovelix
