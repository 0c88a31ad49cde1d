#include <gtest/gtest.h>

#include <algorithm>

#include "core/bmp_file.h"
#include "core/error.h"
#include "core/tests/test_support.h"

namespace ovelix {
namespace {

using testing_support::BmpFixture;
using testing_support::Get32;
using testing_support::Put16;
using testing_support::Put32;

std::u16string ErrorOf(const std::vector<std::uint8_t>& bytes, int depth = 32) {
  try {
    ReadBmpBytes(bytes, depth);
  } catch (const Error& e) {
    return e.Message();
  }
  return u"(read)";
}

std::vector<std::uint8_t> Palette(std::initializer_list<Color> colors, int entrySize = 4) {
  std::vector<std::uint8_t> out;
  for (Color c : colors) {
    out.push_back(BlueOf(c));
    out.push_back(GreenOf(c));
    out.push_back(RedOf(c));
    if (entrySize == 4) out.push_back(0);
  }
  return out;
}

constexpr Color Red = MakeColor(255, 0, 0);
constexpr Color Blue = MakeColor(0, 0, 255);

TEST(ReadBmp, HeadersOfEverySize) {
  // A 2 x 2 8-bit picture: index 1 (red) bottom left, the rest 0 (blue).
  const std::vector<std::uint8_t> rows{1, 0, 0, 0, 0, 0, 0, 0};
  for (std::uint32_t size : {12u, 40u, 52u, 56u, 64u, 108u, 124u, 200u}) {
    BmpFixture f;
    f.headerSize = size;
    f.width = 2;
    f.height = 2;
    f.bits = 8;
    f.colorsUsed = size == 12 ? 0 : 2;
    f.body = size == 12 ? Palette({Blue, Red}, 3) : Palette({Blue, Red});
    if (size == 12) f.body.resize(256 * 3);  // the core header's table always has 2^bits entries
    f.body.insert(f.body.end(), rows.begin(), rows.end());
    const Picture p = ReadBmpBytes(f.Bytes(), 32);
    ASSERT_EQ(p.Format(), PixelFormat::Bits8) << size;
    EXPECT_EQ(p.GetPixel(0, 1), Red) << size;
    EXPECT_EQ(p.GetPixel(0, 0), Blue) << size;
    EXPECT_EQ(p.File().os2, size == 12);
  }
}

TEST(ReadBmp, ColourMasksAfterAFortyByteHeaderOrInsideLaterOnes) {
  const ColorMasks m565{0xF800, 0x07E0, 0x001F};
  std::vector<std::uint8_t> masks;
  Put32(masks, m565.red);
  Put32(masks, m565.green);
  Put32(masks, m565.blue);
  std::vector<std::uint8_t> pixels;
  Put16(pixels, 0xF800);  // pure red in 5-6-5
  Put16(pixels, 0);
  for (std::uint32_t size : {40u, 52u, 56u, 124u}) {
    BmpFixture f;
    f.headerSize = size;
    f.width = 1;
    f.height = 1;
    f.bits = 16;
    f.compression = 3;
    if (size == 40) {
      f.body = masks;
    } else {
      f.headerTail = masks;
    }
    f.body.insert(f.body.end(), pixels.begin(), pixels.end());
    const Picture p = ReadBmpBytes(f.Bytes(), 32);
    EXPECT_EQ(p.Masks(), m565) << size;
    EXPECT_EQ(p.GetPixel(0, 0), Red) << size;
  }
}

TEST(ReadBmp, TopDownAndBottomUpRowsAndTheFieldsKept) {
  for (int sign : {1, -1}) {
    BmpFixture f;
    f.width = 1;
    f.height = 2 * sign;
    f.xPelsPerMeter = 3780;
    f.yPelsPerMeter = -7;
    f.body = {0, 0, 255, 0, 255, 0, 0, 0};  // first row red, second blue
    const Picture p = ReadBmpBytes(f.Bytes(), 32);
    EXPECT_EQ(p.GetPixel(0, sign > 0 ? 1 : 0), Red);
    EXPECT_EQ(p.GetPixel(0, sign > 0 ? 0 : 1), Blue);
    EXPECT_EQ(p.Order(), sign > 0 ? RowOrder::BottomUp : RowOrder::TopDown);
    EXPECT_EQ(p.File().xPelsPerMeter, 3780);
    EXPECT_EQ(p.File().yPelsPerMeter, -7);
  }
}

TEST(ReadBmp, ImageSizeRuleAndFilesWithFewerBytes) {
  // 1-bit, 3 wide: 4 bytes per row. An image size of 4 takes only the bottom row, a missing
  // row reads as zero bytes (index 0) and a bigger image size takes what there is.
  for (std::uint32_t imageSize : {0u, 4u, 1000u}) {
    BmpFixture f;
    f.width = 3;
    f.height = 2;
    f.bits = 1;
    f.imageSize = imageSize;
    f.body = Palette({Blue, Red});
    f.body.insert(f.body.end(), {0xE0, 0, 0, 0, 0xA0, 0, 0, 0});
    const Picture p = ReadBmpBytes(f.Bytes(), 32);
    EXPECT_EQ(p.GetPixel(1, 1), Red) << imageSize;  // bottom row 111
    EXPECT_EQ(p.GetPixel(1, 0), Blue) << imageSize;
    EXPECT_EQ(p.GetPixel(2, 0), imageSize == 4 ? Blue : Red) << imageSize;  // top row 101
  }
  BmpFixture cut;
  cut.width = 2;
  cut.height = 2;
  cut.body = {0, 0, 255};  // one pixel of four
  const Picture p = ReadBmpBytes(cut.Bytes(), 32);
  EXPECT_EQ(p.GetPixel(0, 1), Red);
  EXPECT_EQ(p.GetPixel(1, 1), MakeColor(0, 0, 0));
  EXPECT_EQ(p.GetPixel(0, 0), MakeColor(0, 0, 0));
}

TEST(ReadBmp, AShortFileDeclaringAHugePictureCostsWhatItHolds) {
  // 16384 x 16384 at 32 bits is the biggest store allowed, 1 GiB; the file holds one row.
  for (int sign : {1, -1}) {
    BmpFixture f;
    f.width = 16384;
    f.height = 16384 * sign;
    f.bits = 32;
    f.body.assign(16384 * 4, 0);
    f.body[0] = 255;  // blue, in the first row of the file
    const std::uint64_t before = testing_support::ResidentBytes();
    const Picture p = ReadBmpBytes(f.Bytes(), 32);
    EXPECT_LT(std::max(testing_support::ResidentBytes(), before) - before, std::uint64_t{64} << 20) << sign;
    const int firstRow = sign > 0 ? 16383 : 0;
    EXPECT_EQ(p.GetPixel(0, firstRow), Blue) << sign;
    EXPECT_EQ(p.GetPixel(1, firstRow), MakeColor(0, 0, 0)) << sign;
    EXPECT_EQ(p.GetPixel(5, 16383 - firstRow), MakeColor(0, 0, 0)) << sign;
  }
}

TEST(ReadBmp, ARowOfABillionPixelsIsCheckedForTheBytesTheFileHolds) {
  // Found by fuzzing: a top-down row of 1,056,964,735 pixels at 8 bits with 220 colours and
  // three bytes of pixels; checking every index of the row took 18 s under the sanitizers.
  auto file = [](std::vector<std::uint8_t> pixels) {
    BmpFixture f;
    f.width = 1056964735;
    f.height = -1;
    f.bits = 8;
    f.colorsUsed = 220;
    f.imageSize = 8192;
    for (std::uint32_t i = 0; i < 220; ++i) Put32(f.body, i == 0 ? 0xFF0000 : i);  // entry 0 red
    f.body.insert(f.body.end(), pixels.begin(), pixels.end());
    return f.Bytes();
  };
  const Picture p = ReadBmpBytes(file({5, 219, 7}), 32);
  ASSERT_EQ(p.Width(), 1056964735);
  EXPECT_EQ(p.GetRaw(1, 0), 219u);
  EXPECT_EQ(p.GetRaw(2, 0), 7u);
  EXPECT_EQ(p.GetPixel(1056964734, 0), Red);  // never filled: entry 0
  EXPECT_EQ(ErrorOf(file({5, 220, 7})), u"Bitmap image is not valid");
}

TEST(ReadBmp, DefaultColourTableSizes) {
  // 4 bits with colours used 0: 16 entries are read before the pixels.
  BmpFixture f;
  f.width = 2;
  f.bits = 4;
  f.body = Palette({Blue, Blue, Blue, Blue, Blue, Blue, Blue, Blue, Blue, Blue, Blue, Blue, Blue, Blue, Blue, Red});
  f.body.insert(f.body.end(), {0xF0, 0, 0, 0});
  const Picture p = ReadBmpBytes(f.Bytes(), 32);
  EXPECT_EQ(p.Palette().size(), 16u);
  EXPECT_EQ(p.GetPixel(0, 0), Red);
  // A table beside 24-bit pixels is read past.
  BmpFixture t;
  t.colorsUsed = 2;
  t.body = Palette({Blue, Blue});
  t.body.insert(t.body.end(), {0, 0, 255, 0});
  EXPECT_EQ(ReadBmpBytes(t.Bytes(), 32).GetPixel(0, 0), Red);
}

TEST(ReadBmp, RunLengthCodedPicturesAreDecodedIntoAScreenStore) {
  // 4 x 3, bottom row first: a run, then a delta, an absolute run and end of bitmap.
  const std::vector<std::uint8_t> rle8{3, 1, 0, 0,        // bottom row: 1 1 1, then end of line
                                       0, 2, 1, 1,        // delta to (1, top row)
                                       0, 3, 0, 1, 0, 0,  // absolute 0 1 0, padded
                                       0, 1};
  BmpFixture f;
  f.width = 4;
  f.height = 3;
  f.bits = 8;
  f.compression = 1;
  f.colorsUsed = 2;
  f.imageSize = static_cast<std::uint32_t>(rle8.size());
  f.body = Palette({Blue, Red});
  f.body.insert(f.body.end(), rle8.begin(), rle8.end());
  for (int depth : {32, 24, 16}) {
    const Picture p = ReadBmpBytes(f.Bytes(), depth);
    EXPECT_EQ(p.Format(), depth == 32 ? PixelFormat::Bits32 : depth == 24 ? PixelFormat::Bits24 : PixelFormat::Bits16);
    EXPECT_EQ(p.GetPixel(0, 2), Red);
    EXPECT_EQ(p.GetPixel(2, 2), Red);
    EXPECT_EQ(p.GetPixel(3, 2), MakeColor(0, 0, 0));  // never written
    EXPECT_EQ(p.GetPixel(1, 0), Blue);
    EXPECT_EQ(p.GetPixel(2, 0), Red);
    EXPECT_EQ(p.GetPixel(3, 0), Blue);
    EXPECT_EQ(p.GetPixel(0, 1), MakeColor(0, 0, 0));
  }
  // RLE4: runs alternate the two nibbles; absolute runs take one nibble each.
  const std::vector<std::uint8_t> rle4{3, 0x10, 0, 3, 0x01, 0x00, 0, 1};
  BmpFixture g;
  g.width = 6;
  g.height = 1;
  g.bits = 4;
  g.compression = 2;
  g.colorsUsed = 2;
  g.imageSize = static_cast<std::uint32_t>(rle4.size());
  g.body = Palette({Blue, Red});
  g.body.insert(g.body.end(), rle4.begin(), rle4.end());
  const Picture q = ReadBmpBytes(g.Bytes(), 32);
  const Color expected[] = {Red, Blue, Red, Blue, Red, Blue};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(q.GetPixel(x, 0), expected[x]) << x;
}

TEST(ReadBmp, EveryKindOfBadFileFailsWithItsText) {
  const std::u16string invalid = u"Bitmap image is not valid";
  const std::u16string stream = u"Stream read error";
  auto with = [](auto change) {
    BmpFixture f;
    f.width = 2;
    f.height = 2;
    f.bits = 8;
    f.colorsUsed = 2;
    f.body = Palette({Blue, Red});
    f.body.resize(f.body.size() + 8);
    change(f);
    return f.Bytes();
  };
  auto rle = [&](std::vector<std::uint8_t> data, int height = 2) {
    return with([&](BmpFixture& f) {
      f.compression = 1;
      f.height = height;
      f.imageSize = static_cast<std::uint32_t>(data.size());
      f.body = Palette({Blue, Red});
      f.body.insert(f.body.end(), data.begin(), data.end());
    });
  };
  const std::vector<std::uint8_t> good = with([](BmpFixture&) {});
  std::vector<std::uint8_t> jpeg{0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
    std::u16string error;
  } cases[] = {
      {"shorter than the file header", {'B', 'M', 0, 0}, stream},
      {"not BM", jpeg, invalid},
      {"cut in the info header", std::vector<std::uint8_t>(good.begin(), good.begin() + 30), stream},
      {"cut in the colour table", std::vector<std::uint8_t>(good.begin(), good.begin() + 56), stream},
      {"header of 16 bytes", with([](BmpFixture& f) { f.headerSize = 16; }), invalid},
      {"header beyond the file", with([](BmpFixture& f) { f.headerSize = 0xFFFFFFFF; }), stream},
      {"two planes", with([](BmpFixture& f) { f.planes = 2; }), invalid},
      {"2 bits", with([](BmpFixture& f) { f.bits = 2; }), invalid},
      {"64 bits", with([](BmpFixture& f) { f.bits = 64; }), invalid},
      {"width 0", with([](BmpFixture& f) { f.width = 0; }), invalid},
      {"negative width", with([](BmpFixture& f) { f.width = -2; }), invalid},
      {"height 0", with([](BmpFixture& f) { f.height = 0; }), invalid},
      {"257 colours", with([](BmpFixture& f) { f.colorsUsed = 257; }), invalid},
      {"JPEG compression", with([](BmpFixture& f) { f.compression = 4; }), invalid},
      {"RLE8 at 4 bits", with([](BmpFixture& f) { f.compression = 1; f.bits = 4; }), invalid},
      {"bit fields at 8 bits", with([](BmpFixture& f) { f.compression = 3; }), invalid},
      {"bit fields in a 44-byte header", with([](BmpFixture& f) { f.compression = 3; f.bits = 16; f.headerSize = 44; }), invalid},
      {"masks missing", with([](BmpFixture& f) { f.compression = 3; f.bits = 32; f.colorsUsed = 0; f.body.clear(); }), stream},
      {"index beyond the table", with([](BmpFixture& f) { f.body[8] = 2; }), invalid},
      {"RLE top-down", rle({0, 1}, -2), invalid},
      {"RLE run past the row", rle({3, 1, 0, 1}), invalid},
      {"RLE absolute run past the row", rle({0, 3, 1, 1, 1, 0}), invalid},
      {"RLE delta out of the picture", rle({0, 2, 0, 2, 1, 1}), invalid},
      {"RLE index beyond the table", rle({1, 5, 0, 1}), invalid},
      {"huge picture", with([](BmpFixture& f) { f.width = 3000000; f.height = 2000000; f.bits = 24; }), u"Out of system resources"},
      {"store over 1 GiB", with([](BmpFixture& f) { f.width = 32769; f.height = 8192; f.bits = 32; f.colorsUsed = 0; }), u"Out of system resources"},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.bytes), c.error) << c.what;

  auto bitFields = [&](std::vector<std::uint32_t> m, int bits) {
    return with([&](BmpFixture& f) {
      f.bits = static_cast<std::uint16_t>(bits);
      f.compression = 3;
      f.colorsUsed = 0;
      f.body.clear();
      for (std::uint32_t v : m) Put32(f.body, v);
      f.body.resize(f.body.size() + 16);
    });
  };
  EXPECT_EQ(ErrorOf(bitFields({0xFF00, 0xFF, 0}, 16)), invalid) << "a zero mask";
  EXPECT_EQ(ErrorOf(bitFields({0xC003, 0x0FF0, 0x300C}, 16)), invalid) << "a gap in a mask";
  EXPECT_EQ(ErrorOf(bitFields({0xFC00, 0x07E0, 0x001F}, 16)), invalid) << "overlapping masks";
  EXPECT_EQ(ErrorOf(bitFields({0x7C000, 0x03E0, 0x001F}, 16)), invalid) << "beyond 16 bits";
  EXPECT_EQ(ErrorOf(bitFields({0x3FF00000, 0x000FFC00, 0x000003FF}, 32)), u"(read)") << "10-10-10";
}

TEST(ReadBmp, AnEmptyFileIsAnEmptyPicture) {
  EXPECT_TRUE(ReadBmpBytes({}, 32).Empty());
}

TEST(ReadBmpFile, OpenErrorsNameTheFileAndAFailedReadChangesNothing) {
  testing_support::TempFolder folder;
  const std::u16string missing = folder.File("missing.bmp");
  try {
    ReadBmpFile(missing, 32);
    FAIL();
  } catch (const Error& e) {
    const std::u16string prefix = u"Cannot open file \"" + missing + u"\". ";
    EXPECT_EQ(e.Message().substr(0, prefix.size()), prefix);
    EXPECT_GT(e.Message().size(), prefix.size());  // the system's reason
  }
  Picture target(1, 1, PixelFormat::Bits32);
  target.Fill(KeyColor);
  testing_support::WriteBytes(folder.Path() / "bad.bmp", {'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 40, 0, 0, 0});
  EXPECT_THROW(target = ReadBmpFile(folder.File("bad.bmp"), 32), Error);
  EXPECT_EQ(target.GetPixel(0, 0), KeyColor);
}

TEST(WriteBmp, WritesHeaderTableAndBottomUpPaddedRows) {
  Picture p(3, 2, PixelFormat::Bits24);
  p.SetPixel(0, 0, Red);  // top left
  const std::vector<std::uint8_t> bytes = BmpBytes(p);
  ASSERT_EQ(bytes.size(), 54u + 2 * 12);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  const std::uint32_t expectedHeader[] = {78, 0, 54, 40, 3, 2, (24u << 16) | 1, 0, 24, 0, 0, 0, 0};
  for (std::size_t i = 0; i < std::size(expectedHeader); ++i) {
    EXPECT_EQ(Get32(bytes, 2 + 4 * i), expectedHeader[i]) << "field at " << 2 + 4 * i;
  }
  // Bottom row first: white, then the top row starting with red; padding zero.
  EXPECT_EQ(bytes[54], 255);
  EXPECT_EQ(bytes[54 + 9], 0);
  EXPECT_EQ(bytes[54 + 12 + 2], 255);
  EXPECT_EQ(bytes[54 + 12 + 0], 0);
  EXPECT_EQ(bytes[54 + 12 + 9], 0);

  Picture table(2, 1, PixelFormat::Bits8, {EntryOf(Blue), EntryOf(Red)});
  table.SetFile({false, 2835, 2835});
  const std::vector<std::uint8_t> t = BmpBytes(table);
  EXPECT_EQ(t.size(), 54u + 8 + 4);
  EXPECT_EQ(Get32(t, 10), 62u);   // pixel offset
  EXPECT_EQ(Get32(t, 38), 2835u); // resolution kept
  EXPECT_EQ(Get32(t, 46), 2u);    // colours used
  EXPECT_EQ(t[54 + 6], 255);      // red of entry 1
}

TEST(WriteBmp, RoundTripsEveryKindOfPicture) {
  BmpFixture os2;
  os2.headerSize = 12;
  os2.width = 2;
  os2.bits = 1;
  os2.body = Palette({Blue, Red}, 3);
  os2.body.insert(os2.body.end(), {0x40, 0, 0, 0});
  Picture topDown(2, 2, PixelFormat::Bits32, {}, {}, RowOrder::TopDown);
  topDown.SetPixel(1, 0, Red);
  Picture rgb565(2, 1, PixelFormat::Bits16, {}, {0xF800, 0x07E0, 0x001F});
  rgb565.SetPixel(1, 0, MakeColor(0, 252, 0));
  Picture screen8 = Picture::ScreenCompatible(8);
  screen8.SetSize(3, 1);
  screen8.SetPixel(2, 0, Red);
  const Picture pictures[] = {ReadBmpBytes(os2.Bytes(), 32), topDown, rgb565, screen8};
  for (const Picture& p : pictures) {
    const std::vector<std::uint8_t> bytes = BmpBytes(p);
    const Picture back = ReadBmpBytes(bytes, 32);
    ASSERT_EQ(back.Width(), p.Width());
    ASSERT_EQ(back.Height(), p.Height());
    EXPECT_EQ(back.Format(), p.Format());
    EXPECT_EQ(back.File(), p.File());
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x) EXPECT_EQ(back.GetPixel(x, y), p.GetPixel(x, y)) << x << "," << y;
  }
  EXPECT_EQ(Get32(BmpBytes(pictures[0]), 14), 12u);      // written back with the core header
  EXPECT_EQ(Get32(BmpBytes(rgb565), 30), 3u);            // bit fields, masks after the header
  EXPECT_EQ(Get32(BmpBytes(rgb565), 10), 54u + 12);
  EXPECT_EQ(Get32(BmpBytes(topDown), 22), 2u);           // height positive: bottom-up rows
}

TEST(WriteBmpFile, APictureWithoutPixelsWritesNoFileAndUnwritableFilesFail) {
  testing_support::TempFolder folder;
  WriteBmpFile(folder.File("none.bmp"), Picture());
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "none.bmp"));
  const std::u16string path = folder.File("no-such-folder/x.bmp");
  try {
    WriteBmpFile(path, Picture(1, 1, PixelFormat::Bits32));
    FAIL();
  } catch (const Error& e) {
    const std::u16string prefix = u"Cannot create file \"" + path + u"\". ";
    EXPECT_EQ(e.Message().substr(0, prefix.size()), prefix);
  }
}

}  // namespace
}  // namespace ovelix
