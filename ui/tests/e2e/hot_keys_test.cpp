#include <gtest/gtest.h>

#include <algorithm>

#include "core/mix_mode.h"
#include "ui/form1_layout.h"
#include "ui/hot_keys.h"
#include "ui/tests/e2e/program_fixture.h"
#include "ui/tests/e2e/screen_watch.h"

namespace ovelix::e2e {
namespace {

using ui::form1::BtnFix;
using ui::form1::BtnScr;

// The program runs in mode x with a blue wallpaper; the keys go to its main window.
class HotKeys : public ProgramRunning {
 protected:
  HotKeys() : ProgramRunning(L"hot-keys") {}

  void SetUp() override {
    colorsAtStart_ = SystemColorsNow();
    ProgramRunning::SetUp();
  }

  void TearDown() override {
    ProgramRunning::TearDown();
    EXPECT_EQ(SystemColorsNow(), colorsAtStart_);
  }

  // Whether the system colours come to be replaced as the boxes say.
  bool ColoursBecome(const BoxStates& replaced) {
    return Eventually([&] { return ReplacedColours() == replaced; });
  }

  std::array<COLORREF, 3> colorsAtStart_{};
};

TEST_F(HotKeys, CtrlWithF5F6F7TogglesTheColourBoxes) {
  const struct {
    WORD key;
    BoxStates after;
  } steps[] = {
      {VK_F5, {true, false, false}},  {VK_F6, {true, true, false}},   {VK_F7, {true, true, true}},
      {VK_F5, {false, true, true}},   {VK_F6, {false, false, true}},  {VK_F7, {false, false, false}},
  };
  for (const auto& step : steps) {
    const auto toggles = program_->PressToggleKeys({VK_CONTROL, step.key}, 1);
    ASSERT_EQ(toggles.size(), 1u) << "key " << step.key;
    EXPECT_EQ(toggles[0].boxes, step.after) << "key " << step.key;
    EXPECT_TRUE(ColoursBecome(step.after)) << "key " << step.key;
  }
  // Without Ctrl nothing happens, however long the key is held.
  program_->HoldKeysFor({VK_F5}, 20);
  const auto afterwards = program_->PressToggleKeys({VK_CONTROL, VK_F6}, 1);
  ASSERT_EQ(afterwards.size(), 1u);
  EXPECT_EQ(afterwards[0].boxes, (BoxStates{false, true, false}));
  EXPECT_TRUE(ColoursBecome({false, true, false}));
  EXPECT_EQ(program_->PressToggleKeys({VK_CONTROL, VK_F6}, 1).size(), 1u);
  EXPECT_TRUE(ColoursBecome({false, false, false}));
  EXPECT_EQ(SystemColorsNow(), colorsAtStart_);
}

TEST_F(HotKeys, KeysHeldTogetherAreAllServedInOneTickInTableOrder) {
  const auto toggles = program_->PressToggleKeys({VK_CONTROL, VK_F5, VK_F6}, 2);
  ASSERT_EQ(toggles.size(), 2u);
  EXPECT_EQ(toggles[0].boxes, (BoxStates{true, false, false})) << "white first, alone";
  EXPECT_EQ(toggles[1].boxes, (BoxStates{true, true, false}));
  EXPECT_GE(toggles[1].at - toggles[0].at, std::chrono::milliseconds(ui::hot_keys::TogglePauseMs))
      << "the pause after a toggle";
  EXPECT_TRUE(ColoursBecome({true, true, false}));
}

TEST_F(HotKeys, PainterKeysPaintWithoutChangingTheMode) {
  const ScreenPixels clean = program_->RepaintedScreen();
  RECT window;
  GetWindowRect(program_->MainWindow(), &window);
  const struct {
    WORD key;
    MixMode pattern;
  } painters[] = {{VK_F9, MixMode::x}, {VK_F10, MixMode::sharp}, {VK_F11, MixMode::full}};
  for (const auto& painter : painters) {
    EXPECT_TRUE(program_->PressKeysUntil({VK_CONTROL, painter.key},
                                         [&] { return ShowsPatternOver(ReadPrimaryScreen(), clean, painter.pattern); }))
        << "key " << painter.key << ": " << ShowsPatternOver(ReadPrimaryScreen(), clean, painter.pattern).message();
    // The program's own window certainly repaints; the rest of the screen is checked below.
    EXPECT_TRUE(program_->PressKeysUntil({VK_CONTROL, VK_F12}, [&] { return SameIn(ReadPrimaryScreen(), clean, window); }))
        << "Ctrl+F12 after key " << painter.key;
    EXPECT_TRUE(SameScreen(program_->RepaintedScreen(), clean)) << "after key " << painter.key;
    EXPECT_TRUE(ModeXApplied(copy_).AreStored());
  }
  // The screen button still paints the pattern of mode x.
  program_->ClickAt(BtnScr);
  const RECT button = program_->OnScreen(BtnScr);
  EXPECT_TRUE(Eventually([&] { return ShowsPatternOver(ReadPrimaryScreen(), clean, MixMode::x, button); }))
      << ShowsPatternOver(ReadPrimaryScreen(), clean, MixMode::x, button).message();
}

TEST_F(HotKeys, WorkWhileTheFixConfirmationIsOpen) {
  program_->ClickAt(BtnFix);
  const HWND confirm = program_->WaitForWindow(L"Confirm");
  ASSERT_NE(confirm, nullptr);
  ASSERT_TRUE(program_->WaitUntilReady(confirm));
  EXPECT_EQ(program_->PressToggleKeys({VK_CONTROL, VK_F5}, 1).size(), 1u);
  EXPECT_TRUE(ColoursBecome({true, false, false}));
  EXPECT_EQ(program_->PressToggleKeys({VK_CONTROL, VK_F5}, 1).size(), 1u);
  EXPECT_TRUE(ColoursBecome({false, false, false}));
  PressDialogButton(confirm, IDNO);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(confirm); }));
  EXPECT_FALSE(program_->WaitForExit(200ms).has_value());
}

}  // namespace
}  // namespace ovelix::e2e
