#include <gtest/gtest.h>

#include "core/mix_mode.h"
#include "core/pattern.h"
#include "core/platform/wide.h"
#include "ui/form1_layout.h"
#include "ui/tests/e2e/program_fixture.h"
#include "ui/tests/e2e/screen_watch.h"

namespace ovelix::e2e {
namespace {

constexpr POINT BtnScr{277, 176};
constexpr RECT BtnScrBounds{224, 164, 330, 189};

struct ModeCase {
  MixMode mode;
  int top;             // of the panel, in design pixels
  POINT captionLabel;  // the caption label's origin inside the panel
  POINT hotKeyLabel;
};

const ModeCase Modes[] = {
    {MixMode::x, 4, {8, 4}, {56, 20}},
    {MixMode::sharp, 52, {8, 4}, {52, 20}},
    {MixMode::full, 100, {20, 4}, {52, 20}},
    {MixMode::no, 148, {20, 4}, {52, 20}},
};

class ModeSelector : public ProgramRunning {
 protected:
  ModeSelector() : ProgramRunning(L"modes") {}

  // A mode panel's left edge in the main window's client area, in design pixels.
  int PanelLeft(MixMode mode) {
    RECT bounds;
    GetWindowRect(program_->Child(ToWide(TraitsOf(mode).panelCaption).c_str()), &bounds);
    MapWindowPoints(nullptr, program_->MainWindow(), reinterpret_cast<POINT*>(&bounds), 2);
    return MulDiv(bounds.left, 96, ScaleToSystem(96));
  }

  // The inside of the preview panel, where the visible preview shows, on the screen.
  RECT PreviewArea() {
    RECT area;
    GetWindowRect(program_->Child(ToWide(ui::form1::PanelPrevName).c_str()), &area);
    InflateRect(&area, -ScaleToSystem(2), -ScaleToSystem(2));
    return area;
  }

  // The selected panel stands at 8, the others at 4.
  bool Selected(MixMode mode) {
    for (const ModeCase& m : Modes)
      if (PanelLeft(m.mode) != (m.mode == mode ? 8 : 4)) return false;
    return true;
  }

  WallpaperValues Applied(MixMode mode) const {
    const ModeTraits& traits = TraitsOf(mode);
    if (traits.restoresOldSettings) return found_;
    return {FromWide(copy_.File(ToWide(traits.wallpaperFile))), u"1", u"0"};
  }

};

TEST_F(ModeSelector, EachPanelAndEachOfItsLabelsSelectsItsMode) {
  for (const ModeCase& m : Modes) {
    const int left = PanelLeft(m.mode);
    const POINT clicks[] = {{left + 56, m.top + 20},  // the panel's centre
                            {left + m.captionLabel.x + 2, m.top + m.captionLabel.y + 4},
                            {left + m.hotKeyLabel.x + 2, m.top + m.hotKeyLabel.y + 4}};
    for (const POINT click : clicks) {
      // Another mode first, so that every click has something to change.
      const ModeCase& other = m.mode == MixMode::x ? Modes[1] : Modes[0];
      program_->ClickAt({PanelLeft(other.mode) + 56, other.top + 20});
      ASSERT_TRUE(Eventually([&] { return Selected(other.mode); }));
      program_->ClickAt(click);
      EXPECT_TRUE(Eventually([&] { return Selected(m.mode); })) << "mode " << static_cast<int>(m.mode) << " at " << click.x << "," << click.y;
      EXPECT_TRUE(Applied(m.mode).AreStored()) << "mode " << static_cast<int>(m.mode);
    }
  }
}

// The preview area as it shows after selecting a mode.
TEST_F(ModeSelector, ThePreviewFollowsTheMode) {
  const auto previewAfterSelecting = [&](const ModeCase& m) {
    program_->ClickAt({PanelLeft(m.mode) + 56, m.top + 20});
    const ScreenPixels screen = program_->RepaintedScreen();
    const RECT area = PreviewArea();
    std::vector<Color> preview;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) preview.push_back(screen.At(x, y));
    return preview;
  };
  std::vector<Color> previews[4];
  for (const ModeCase& m : Modes) previews[static_cast<int>(m.mode) - 1] = previewAfterSelecting(m);
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) EXPECT_NE(previews[i], previews[j]) << "modes " << i + 1 << " and " << j + 1;
  EXPECT_EQ(previewAfterSelecting(Modes[0]), previews[0]);

  // The solid key-colour picture, 92 x 78, fills the height of the box; the old wallpaper,
  // 40 x 30, fills the box.
  const RECT area = PreviewArea();
  const int width = area.right - area.left;
  const auto at = [&](const std::vector<Color>& preview, int x, int y) {
    return preview[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  };
  const int middle = (area.bottom - area.top) / 2;
  EXPECT_EQ(at(previews[2], width / 2, middle), KeyColor);
  EXPECT_NE(at(previews[2], ScaleToSystem(5), middle), KeyColor);  // left of the centred picture
  EXPECT_EQ(at(previews[3], width / 2, middle), WallpaperBlue);
  EXPECT_EQ(at(previews[3], ScaleToSystem(2), middle), WallpaperBlue);
}

TEST_F(ModeSelector, TheScreenButtonPaintsTheSelectedModesPattern) {
  for (const ModeCase& m : Modes) {
    if (m.mode == MixMode::no) continue;
    program_->ClickAt({PanelLeft(m.mode) + 56, m.top + 20});
    const ScreenPixels before = program_->RepaintedScreen();
    program_->ClickAt(BtnScr);
    // The button itself repaints as it comes up again.
    EXPECT_TRUE(ShowsPatternOver(ReadPrimaryScreen(), before, m.mode, program_->OnScreen(BtnScrBounds)));
    RepaintEverything();  // wiped before the next mode
  }
}

TEST_F(ModeSelector, ModeNoPutsTheOldWallpaperBackAndTheButtonOnlyRepaints) {
  program_->ClickAt({PanelLeft(MixMode::no) + 56, 148 + 20});
  EXPECT_TRUE(found_.AreStored());
  const ScreenPixels clean = program_->RepaintedScreen();
  PaintScreen(MixMode::sharp);
  ASSERT_NE(ReadPrimaryScreen().pixels, clean.pixels);
  program_->ClickAt(BtnScr);
  EXPECT_TRUE(Eventually([&] { return ReadPrimaryScreen().pixels == clean.pixels; }));
}

}  // namespace
}  // namespace ovelix::e2e
