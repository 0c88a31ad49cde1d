#include <gtest/gtest.h>

#include "core/mix_mode.h"
#include "core/pattern.h"
#include "core/platform/wide.h"
#include "desktop/screen_painter.h"
#include "ui/form1_layout.h"
#include "ui/tests/accessible_tree.h"
#include "ui/tests/e2e/program_fixture.h"
#include "ui/tests/e2e/screen_watch.h"

namespace ovelix::e2e {
namespace {

namespace form1 = ui::form1;

std::size_t IndexOf(MixMode mode) { return static_cast<std::size_t>(mode) - 1; }

// The previews are read as a tool reads them.
class ModeSelector : public ProgramReadByATool {
 protected:
  ModeSelector() : ProgramReadByATool(L"modes") {}

  // A mode panel's left edge in the main window's client area, in design pixels.
  int PanelLeft(MixMode mode) {
    RECT bounds;
    GetWindowRect(program_->Child(TraitsOf(mode).panelCaption), &bounds);
    MapWindowPoints(nullptr, program_->MainWindow(), reinterpret_cast<POINT*>(&bounds), 2);
    return MulDiv(bounds.left, 96, ScaleToSystem(96));
  }

  // The inside of the preview panel, where the visible preview shows, on the screen.
  RECT PreviewArea() {
    RECT area;
    GetWindowRect(program_->Child(form1::PanelPrevName), &area);
    InflateRect(&area, -ScaleToSystem(2), -ScaleToSystem(2));
    return area;
  }

  // The selected panel stands right of the others, and only its preview shows.
  bool Selected(MixMode mode) {
    for (const ModeTraits& m : ModeTable)
      if (PanelLeft(m.mode) != (m.mode == mode ? form1::SelectedPanelLeft : form1::OtherPanelLeft)) return false;
    const auto previews = testing_support::ClientObject(program_->Child(form1::PanelPrevName));
    if (previews == nullptr) return false;
    const std::vector<testing_support::AccessibleChild> shown = testing_support::ReadChildren(*previews);
    if (shown.size() != ModeTable.size()) return false;
    for (std::size_t i = 0; i < shown.size(); ++i) {
      if (shown[i].state != (i == IndexOf(mode) ? 0 : STATE_SYSTEM_INVISIBLE)) return false;
    }
    return true;
  }

  HWND PanelOf(MixMode mode) { return program_->Child(TraitsOf(mode).panelCaption); }

  // A point of a mode's panel, relative to the panel's top left corner, in design pixels.
  POINT InPanel(const ModeTraits& m, POINT offset) {
    return {PanelLeft(m.mode) + offset.x, form1::ModePanelTops[IndexOf(m.mode)] + offset.y};
  }
  POINT PanelCentre(const ModeTraits& m) {
    return InPanel(m, {form1::ModePanelSize.cx / 2, form1::ModePanelSize.cy / 2});
  }

  void Select(const ModeTraits& m) {
    program_->ClickAt(PanelCentre(m));
    ASSERT_TRUE(Eventually([&] { return Selected(m.mode); })) << "mode " << static_cast<int>(m.mode);
    ASSERT_TRUE(Eventually([&] { return Applied(m.mode).AreStored(); })) << Applied(m.mode).AreStored().message();
  }

  WallpaperValues Applied(MixMode mode) const {
    const ModeTraits& traits = TraitsOf(mode);
    if (traits.restoresOldSettings) return found_;
    return {FromWide(copy_.File(ToWide(traits.wallpaperFile))), u"1", u"0"};
  }
};

TEST_F(ModeSelector, EachPanelAndEachOfItsLabelsSelectsItsMode) {
  for (const ModeTraits& m : ModeTable) {
    const POINT caption = form1::CaptionLabelOrigins[IndexOf(m.mode)];
    const POINT hotKey = form1::HotKeyLabelOrigins[IndexOf(m.mode)];
    // The panel's centre, and a point just inside each of its two labels.
    const POINT offsets[] = {{form1::ModePanelSize.cx / 2, form1::ModePanelSize.cy / 2},
                             {caption.x + 2, caption.y + 4},
                             {hotKey.x + 2, hotKey.y + 4}};
    for (const POINT offset : offsets) {
      // Another mode first, so that every click has something to change.
      Select(m.mode == MixMode::x ? ModeTable[1] : ModeTable[0]);
      const POINT click = InPanel(m, offset);
      program_->ClickAt(click);
      EXPECT_TRUE(Eventually([&] { return Selected(m.mode); }))
          << "mode " << static_cast<int>(m.mode) << " at " << click.x << "," << click.y;
      EXPECT_TRUE(Eventually([&] { return Applied(m.mode).AreStored(); })) << "mode " << static_cast<int>(m.mode);
    }
  }
}

// The preview area as it shows after selecting a mode.
TEST_F(ModeSelector, ThePreviewFollowsTheMode) {
  const auto previewAfterSelecting = [&](const ModeTraits& m) {
    Select(m);
    const ScreenPixels screen = program_->RepaintedScreen();
    const RECT area = PreviewArea();
    std::vector<Color> preview;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) preview.push_back(screen.At(x, y));
    return preview;
  };
  std::vector<Color> previews[4];
  for (const ModeTraits& m : ModeTable) previews[static_cast<int>(m.mode) - 1] = previewAfterSelecting(m);
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) EXPECT_NE(previews[i], previews[j]) << "modes " << i + 1 << " and " << j + 1;
  EXPECT_EQ(previewAfterSelecting(ModeTable[0]), previews[0]);

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
  for (const ModeTraits& m : ModeTable) {
    if (m.mode == MixMode::no) continue;
    Select(m);
    const ScreenPixels before = program_->RepaintedScreen();
    program_->ClickAt(form1::BtnScr);
    // The button itself repaints as it comes up again.
    const RECT button = program_->OnScreen(form1::BtnScr);
    EXPECT_TRUE(Eventually([&] { return ShowsPatternOver(ReadPrimaryScreen(), before, m.mode, button); }))
        << ShowsPatternOver(ReadPrimaryScreen(), before, m.mode, button).message();
    RepaintEverything();  // wiped before the next mode
  }
}

TEST_F(ModeSelector, TheKeyboardReachesTheChosenModeAfterTheBoxesAndChoosesModesAsAClickDoes) {
  const HWND boxes[] = {program_->Child(u"Использовать белый цвет"), program_->Child(u"Использовать чёрный цвет"),
                        program_->Child(u"Использовать цвет фона")};
  const auto focusOn = [&](HWND window) { return Eventually([&] { return program_->Focus() == window; }); };
  const RECT panelArea = program_->OnScreen(ui::Bounds(form1::SelectedPanelLeft, form1::ModePanelTops[0],
                                                       form1::ModePanelSize.cx, form1::ModePanelSize.cy));
  const ScreenPixels unfocused = program_->RepaintedScreen();

  // From the window's first activation: the boxes, then the group as one stop, its chosen
  // panel, and round again; Shift+Tab goes back the same way.
  for (const HWND window : {boxes[0], boxes[1], boxes[2], PanelOf(MixMode::x), boxes[0]}) {
    program_->PressKeys({VK_TAB});
    ASSERT_TRUE(focusOn(window)) << "Tab";
  }
  for (const HWND window : {PanelOf(MixMode::x), boxes[2]}) {
    ASSERT_TRUE(program_->PressKeysUntil({VK_SHIFT, VK_TAB}, [&] { return program_->Focus() == window; }))
        << "Shift+Tab";
  }
  program_->PressKeys({VK_TAB});
  ASSERT_TRUE(focusOn(PanelOf(MixMode::x)));
  EXPECT_FALSE(SameIn(program_->RepaintedScreen(), unfocused, panelArea)) << "the focused panel shows its focus";

  // The arrows choose the next or previous mode, round the group, as a click does; the
  // focus goes with the choice.
  const struct {
    WORD key;
    MixMode chosen;
  } steps[] = {{VK_DOWN, MixMode::sharp}, {VK_RIGHT, MixMode::full}, {VK_DOWN, MixMode::no},
               {VK_DOWN, MixMode::x},     {VK_UP, MixMode::no},      {VK_LEFT, MixMode::full},
               {VK_UP, MixMode::sharp},   {VK_UP, MixMode::x}};
  for (const auto& step : steps) {
    program_->PressKeys({step.key});
    EXPECT_TRUE(Eventually([&] {
      return Selected(step.chosen) && Applied(step.chosen).AreStored() && program_->Focus() == PanelOf(step.chosen);
    })) << "key " << step.key << " to mode " << static_cast<int>(step.chosen);
  }

  // Space and Enter apply the chosen mode again.
  for (const WORD key : {WORD{VK_SPACE}, WORD{VK_RETURN}}) {
    found_.Write();
    program_->PressKeys({key});
    EXPECT_TRUE(Eventually([&] { return Applied(MixMode::x).AreStored(); })) << "key " << key;
  }

  // Without the focus, the panel looks as it did.
  program_->PressKeys({VK_TAB});
  ASSERT_TRUE(focusOn(boxes[0]));
  EXPECT_TRUE(SameIn(program_->RepaintedScreen(), unfocused, panelArea));
}

TEST_F(ModeSelector, ModeNoPutsTheOldWallpaperBackAndTheButtonOnlyRepaints) {
  Select(TraitsOf(MixMode::no));
  EXPECT_TRUE(found_.AreStored());
  const ScreenPixels clean = program_->RepaintedScreen();
  PaintScreen(MixMode::sharp);
  ASSERT_NE(ReadPrimaryScreen().pixels, clean.pixels);
  program_->ClickAt(form1::BtnScr);
  EXPECT_TRUE(Eventually([&] { return ReadPrimaryScreen().pixels == clean.pixels; }));
}

}  // namespace
}  // namespace ovelix::e2e
