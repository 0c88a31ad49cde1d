#include <gtest/gtest.h>

#include "core/mix_mode.h"

namespace ovelix {
namespace {

TEST(MixMode, NumbersAndTheirTraits) {
  struct Row {
    int number;
    std::u16string_view caption;
    std::u16string_view file;
    std::uint8_t hotKey;
    ScreenPainter painter;
  };
  const Row rows[] = {
      {1, u"X - смешивание", u"mix1.bmp", 0x78, ScreenPainter::Scr_MIX1},
      {2, u"# - смешивание", u"mix2.bmp", 0x79, ScreenPainter::Scr_MIX2},
      {3, u"Полностью", u"Pict1.bmp", 0x7A, ScreenPainter::Scr_FULL},
      {4, u"Отключить", u"", 0x7B, ScreenPainter::Scr_NO},
  };
  for (const Row& row : rows) {
    const ModeTraits* traits = FindMode(row.number);
    ASSERT_NE(traits, nullptr) << row.number;
    EXPECT_EQ(static_cast<int>(traits->mode), row.number);
    EXPECT_EQ(traits->panelCaption, row.caption);
    EXPECT_EQ(traits->wallpaperFile, row.file);
    EXPECT_EQ(traits->hotKey, row.hotKey);
    EXPECT_EQ(traits->painter, row.painter);
    EXPECT_EQ(traits->restoresOldSettings, row.number == 4);
    if (!traits->restoresOldSettings) {
      EXPECT_EQ(traits->tile, 1);
      EXPECT_FALSE(traits->stretched);
    }
  }
}

TEST(MixMode, OtherNumbersAreNoMode) {
  for (int number : {0, -1, 5, 100, -2147483647 - 1}) EXPECT_EQ(FindMode(number), nullptr) << number;
}

}  // namespace
}  // namespace ovelix
