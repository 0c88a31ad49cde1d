#include <gtest/gtest.h>

#include "core/error.h"
#include "core/picture.h"
#include "core/screen_palette.h"

namespace ovelix {
namespace {

TEST(Picture, OneSizeAloneIsOnlyRecorded) {
  Picture picture = Picture::ScreenCompatible(32);
  picture.SetWidth(5);
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Width(), 5);
  picture.SetHeight(3);
  ASSERT_FALSE(picture.Empty());
  EXPECT_EQ(picture.GetPixel(4, 2), White);
  picture.SetWidth(0);
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Height(), 3);
}

TEST(Picture, ScreenCompatibleStoresStartWhiteAndKeepTheKeyColourOrItsNearest) {
  const struct {
    int depth;
    PixelFormat format;
    bool exactKey;
  } cases[] = {{32, PixelFormat::Bits32, true},
               {24, PixelFormat::Bits24, true},
               {16, PixelFormat::Bits16, true},
               {15, PixelFormat::Bits16, true},
               {8, PixelFormat::Bits8, false},
               {4, PixelFormat::Bits4, false}};
  for (const auto& c : cases) {
    Picture picture = Picture::ScreenCompatible(c.depth);
    picture.SetSize(3, 2);
    EXPECT_EQ(picture.Format(), c.format) << c.depth;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) ASSERT_EQ(picture.GetPixel(x, y), White) << c.depth;
    picture.SetPixel(1, 1, KeyColor);
    if (c.exactKey) {
      EXPECT_EQ(picture.GetPixel(1, 1), KeyColor) << c.depth;
    } else {
      // The nearest table colour: the darkest grey at 8 bits, black at 4.
      EXPECT_EQ(picture.GetPixel(1, 1), c.depth == 8 ? MakeColor(12, 12, 12) : MakeColor(0, 0, 0)) << c.depth;
    }
  }
  EXPECT_EQ(ScreenPalette(8).size(), 256u);
  EXPECT_EQ(ScreenPalette(4).size(), 16u);
}

TEST(Picture, ResizingKeepsThePixelsAtTheTopLeftOnWhite) {
  for (int depth : {32, 24, 16, 8, 4}) {
    Picture picture = Picture::ScreenCompatible(depth);
    picture.SetSize(3, 3);
    picture.SetPixel(0, 0, MakeColor(0, 0, 0));
    picture.SetPixel(2, 2, MakeColor(0, 0, 0));
    picture.SetPixel(1, 0, MakeColor(0, 0, 0));
    picture.SetSize(2, 4);
    EXPECT_EQ(picture.GetPixel(0, 0), MakeColor(0, 0, 0)) << depth;
    EXPECT_EQ(picture.GetPixel(1, 0), MakeColor(0, 0, 0)) << depth;
    EXPECT_EQ(picture.GetPixel(1, 1), White) << depth;
    EXPECT_EQ(picture.GetPixel(1, 2), White) << depth;  // (2, 2) was cut off
    EXPECT_EQ(picture.GetPixel(0, 3), White) << depth;
  }
}

TEST(Picture, HugeStoresFailWithoutBeingMadeAndLeaveThePictureAsItWas) {
  Picture picture = Picture::ScreenCompatible(32);
  picture.SetSize(2, 2);
  picture.SetPixel(1, 1, KeyColor);
  try {
    picture.SetSize(20000, 20000);  // 1.6 GB
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), u"Out of system resources");
  }
  EXPECT_EQ(picture.Width(), 2);
  EXPECT_EQ(picture.GetPixel(1, 1), KeyColor);
  EXPECT_THROW(Picture(16385, 16384, PixelFormat::Bits32), Error);
  EXPECT_NO_THROW(Picture(16384, 16384, PixelFormat::Bits8, {}, {}, RowOrder::BottomUp, StoreStart::Zeroed));
}

TEST(Picture, ADonorsStoreIsTakenWhenBigEnoughAndStartsAsAsked) {
  for (StoreStart start : {StoreStart::Zeroed, StoreStart::Whitened}) {
    Picture donor(4, 3, PixelFormat::Bits32);
    donor.Fill(KeyColor);
    const std::uint8_t* store = donor.Bits();
    const Picture p(5, 2, PixelFormat::Bits24, {}, {}, RowOrder::TopDown, start, std::move(donor));
    EXPECT_EQ(p.Bits(), store);
    EXPECT_EQ(p.Format(), PixelFormat::Bits24);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(p.GetPixel(x, y), start == StoreStart::Zeroed ? MakeColor(0, 0, 0) : White);
  }
  Picture small(1, 1, PixelFormat::Bits32);
  const Picture big(64, 64, PixelFormat::Bits32, {}, {}, RowOrder::BottomUp, StoreStart::Whitened, std::move(small));
  EXPECT_EQ(big.GetPixel(63, 63), White);
}

TEST(Picture, RowsAreTopToBottomWhateverTheLayout) {
  for (RowOrder order : {RowOrder::BottomUp, RowOrder::TopDown}) {
    Picture picture(2, 3, PixelFormat::Bits8, {EntryOf(White), EntryOf(KeyColor)}, {}, order);
    picture.SetRaw(1, 0, 1);
    const std::uint8_t* top = picture.Bits() + (order == RowOrder::BottomUp ? 2 * picture.Stride() : 0);
    EXPECT_EQ(top[1], 1);
  }
}

}  // namespace
}  // namespace ovelix
