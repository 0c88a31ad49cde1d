#include <gtest/gtest.h>

#include "core/key_color.h"
#include "ui/form1_layout.h"
#include "ui/tests/e2e/program_fixture.h"

namespace ovelix::e2e {
namespace {

using ui::form1::CheckUseWhite;

// Items of the "Файл" menu, by their place.
enum FileMenuItem { KeepAndExit, Exit };

// Each case ends the program through the menu; the fixture's close then finds it gone.
class FileMenu : public ProgramRunning {
 protected:
  FileMenu() : ProgramRunning(L"file-menu") {}

  void SetUp() override {
    colorsAtStart_ = SystemColorsNow();
    ProgramRunning::SetUp();
    program_->ClickAt(CheckUseWhite);
    ASSERT_TRUE(Eventually([&] { return program_->Boxes()[0]; }));
    ASSERT_TRUE(Eventually([] { return ReplacedColours()[0]; }));
  }

  // Chooses the item with the keyboard, as a user does: Alt opens the menu bar at "Файл",
  // Down opens that menu at its first item.
  void Choose(FileMenuItem item) {
    if (item == Exit) {
      program_->ChooseFromMenu({VK_DOWN, VK_DOWN, VK_RETURN});
    } else {
      program_->ChooseFromMenu({VK_DOWN, VK_RETURN});
    }
  }

  std::array<COLORREF, 3> colorsAtStart_{};
};

TEST_F(FileMenu, ExitPutsEverythingBackAsTheCloseBoxDoes) {
  Choose(Exit);
  EXPECT_EQ(program_->WaitForExit(), 0u);
  EXPECT_TRUE(found_.AreStored());
  EXPECT_EQ(SystemColorsNow(), colorsAtStart_);
  EXPECT_FALSE(copy_.HasRestoreRecord());
}

TEST_F(FileMenu, KeepAndExitAsksAsTheFixButtonDoesAndKeepsTheWallpaper) {
  Choose(KeepAndExit);
  HWND confirm = program_->WaitForWindow(L"Confirm");
  ASSERT_NE(confirm, nullptr);
  EXPECT_EQ(DialogText(confirm), L"Хотите оставить эту картинку и выйти?");
  PressDialogButton(confirm, IDNO);
  ASSERT_TRUE(Eventually([&] { return !IsWindow(confirm); }));
  EXPECT_FALSE(program_->WaitForExit(300ms).has_value());
  EXPECT_TRUE(copy_.HasRestoreRecord());

  Choose(KeepAndExit);
  confirm = program_->WaitForWindow(L"Confirm");
  ASSERT_NE(confirm, nullptr);
  PressDialogButton(confirm, IDYES);
  EXPECT_EQ(program_->WaitForExit(), 0u);
  EXPECT_TRUE(ModeXApplied(copy_).AreStored());
  EXPECT_EQ(SystemColorsNow()[0], KeyColor);  // nothing is put back
  EXPECT_FALSE(copy_.HasRestoreRecord());
}

}  // namespace
}  // namespace ovelix::e2e
