#include <gtest/gtest.h>

#include <algorithm>

#include "core/mix_mode.h"
#include "ui/tests/e2e/program_fixture.h"
#include "ui/tests/e2e/screen_watch.h"

namespace ovelix::e2e {
namespace {

constexpr POINT BtnFix{172, 176};
constexpr POINT BtnScr{277, 176};
constexpr RECT BtnScrBounds{224, 164, 330, 189};  // repaints itself when clicked

// The program runs in mode x with a blue wallpaper; the keys go to its main window.
class HotKeys : public ProgramRunning {
 protected:
  HotKeys() : ProgramRunning(L"hot-keys") {}

  void SetUp() override {
    colorsAtStart_ = SystemColorsNow();
    ProgramRunning::SetUp();
    SetForegroundWindow(program_->MainWindow());
  }

  void TearDown() override {
    ProgramRunning::TearDown();
    EXPECT_EQ(SystemColorsNow(), colorsAtStart_);
  }

  // Which of the three colours are key colour now.
  std::array<bool, 3> Replaced() const {
    const auto colors = SystemColorsNow();
    return {colors[0] == KeyColor, colors[1] == KeyColor, colors[2] == KeyColor};
  }

  std::array<COLORREF, 3> colorsAtStart_{};
};

TEST_F(HotKeys, CtrlWithF5F6F7TogglesTheColourBoxes) {
  const struct {
    WORD key;
    std::array<bool, 3> after;
  } steps[] = {
      {VK_F5, {true, false, false}},  {VK_F6, {true, true, false}},   {VK_F7, {true, true, true}},
      {VK_F5, {false, true, true}},   {VK_F6, {false, false, true}},  {VK_F7, {false, false, false}},
  };
  for (const auto& step : steps) {
    program_->PressKeys({VK_CONTROL, step.key});
    EXPECT_EQ(Replaced(), step.after) << "after key " << step.key;
  }
  program_->PressKeys({VK_F5});  // without Ctrl nothing happens
  EXPECT_EQ(Replaced(), (std::array<bool, 3>{false, false, false}));
  EXPECT_EQ(SystemColorsNow(), colorsAtStart_);
}

TEST_F(HotKeys, KeysHeldTogetherAreAllServedInOneTickInTableOrder) {
  // While the keys are down, watch the colours change: white first, then, after the pause
  // that follows a toggle, black.
  std::vector<std::array<bool, 3>> seen;
  program_->PressKeys({VK_CONTROL, VK_F5, VK_F6}, 60ms, [&] {
    const auto now = Replaced();
    if (seen.empty() || seen.back() != now) seen.push_back(now);
  });
  EXPECT_EQ(Replaced(), (std::array<bool, 3>{true, true, false}));
  for (const auto& state : seen) EXPECT_FALSE(state[1] && !state[0]) << "black before white";
  EXPECT_NE(std::find(seen.begin(), seen.end(), std::array<bool, 3>{true, false, false}), seen.end())
      << "white alone was never seen";
}

TEST_F(HotKeys, PainterKeysPaintWithoutChangingTheMode) {
  const ScreenPixels clean = program_->RepaintedScreen();
  const struct {
    WORD key;
    MixMode pattern;
  } painters[] = {{VK_F9, MixMode::x}, {VK_F10, MixMode::sharp}, {VK_F11, MixMode::full}};
  for (const auto& painter : painters) {
    program_->PressKeys({VK_CONTROL, painter.key});
    EXPECT_TRUE(ShowsPatternOver(ReadPrimaryScreen(), clean, painter.pattern)) << "key " << painter.key;
    program_->PressKeys({VK_CONTROL, VK_F12});
    EXPECT_TRUE(SameScreen(program_->RepaintedScreen(), clean)) << "Ctrl+F12 after key " << painter.key;
    EXPECT_TRUE(ModeXApplied().AreStored());
  }
  // The screen button still paints the pattern of mode x.
  program_->ClickAt(BtnScr);
  EXPECT_TRUE(ShowsPatternOver(ReadPrimaryScreen(), clean, MixMode::x, program_->OnScreen(BtnScrBounds)));
}

TEST_F(HotKeys, WorkWhileTheFixConfirmationIsOpen) {
  program_->ClickAt(BtnFix);
  const HWND confirm = program_->WaitForWindow(L"Confirm");
  ASSERT_NE(confirm, nullptr);
  SetForegroundWindow(confirm);
  program_->PressKeys({VK_CONTROL, VK_F5});
  EXPECT_EQ(Replaced(), (std::array<bool, 3>{true, false, false}));
  program_->PressKeys({VK_CONTROL, VK_F5});
  EXPECT_EQ(Replaced(), (std::array<bool, 3>{false, false, false}));
  PressDialogButton(confirm, IDNO);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(confirm); }));
  EXPECT_FALSE(program_->WaitForExit(200ms).has_value());
}

}  // namespace
}  // namespace ovelix::e2e
