#include <gtest/gtest.h>

#include "desktop/system_colors.h"
#include "desktop/wallpaper_registry.h"
#include "desktop/wallpaper_settings.h"
#include "desktop_state.h"

namespace ovelix {
namespace {

using namespace testing_support;

class SystemColors : public DesktopTest {
 protected:
  static void SetColor(int index, Color color) {
    const COLORREF value = color;
    ASSERT_TRUE(SetSysColors(1, &index, &value));
  }

  // Distinct colours per index, none of them the key colour.
  static Color FoundAtStart(int index) { return MakeColor(200, 100, static_cast<std::uint8_t>(index)); }
  static Color ChangedMeanwhile(int index) { return MakeColor(50, 60, static_cast<std::uint8_t>(index)); }
};

TEST_F(SystemColors, ReplaceAndRestorePutTheCapturedColourBack) {
  WriteRawValue(TileWallpaperValue, StringValue(u"0"));
  WriteRawValue(WallpaperStyleValue, StringValue(u"0"));
  for (const SavedSystemColor& color : SavedSystemColors) SetColor(color.index, FoundAtStart(color.index));
  TOldRec rec;
  GetOld(rec);
  for (const SavedSystemColor& color : SavedSystemColors) SetColor(color.index, ChangedMeanwhile(color.index));

  for (const SavedSystemColor& color : SavedSystemColors) {
    SCOPED_TRACE(color.index);
    ReplaceSystemColor(color.index);
    EXPECT_EQ(GetSysColor(color.index), KeyColor);
    RestoreSystemColor(color.index, rec);
    EXPECT_EQ(GetSysColor(color.index), FoundAtStart(color.index));
    // One element per call: the other colours keep what they had.
    for (const SavedSystemColor& other : SavedSystemColors) {
      if (other.index > color.index) {
        EXPECT_EQ(GetSysColor(other.index), ChangedMeanwhile(other.index));
      }
    }
  }
}

TEST_F(SystemColors, AColourNeverCapturedIsLeftAlone) {
  TOldRec rec;  // the capture got as far as the window colour only
  rec.WindowColor = FoundAtStart(5);
  rec.CapturedCount = static_cast<int>(OldRecField::WindowColor);
  for (const int index : {5, 8, 15}) ReplaceSystemColor(index);

  for (const int index : {5, 8, 15}) RestoreSystemColor(index, rec);
  EXPECT_EQ(GetSysColor(5), FoundAtStart(5));
  EXPECT_EQ(GetSysColor(8), KeyColor);
  EXPECT_EQ(GetSysColor(15), KeyColor);
}

}  // namespace
}  // namespace ovelix
