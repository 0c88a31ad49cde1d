#include <gtest/gtest.h>

#include "core/platform/wide.h"
#include "core/text.h"
#include "desktop/tests/shell_recorder_handlers.h"
#include "ui/form1_layout.h"
#include "ui/wmr_layout.h"
#include "ui/tests/e2e/program_fixture.h"
#include "ui/tests/e2e/test_files.h"

namespace ovelix::e2e {
namespace {

constexpr std::u16string_view HomePage = u"https://zeraska.example/";
using ui::form1::CheckUseWhite;

// Items of the "Справка" menu, by their place.
enum HelpMenuItem { Donate, Site, Help, Site2, About };

class MainMenu : public ProgramRunning {
 protected:
  MainMenu() : ProgramRunning(L"menu") {}

  void SetUp() override {
    DeleteFileW(copy_.File(L"Help.chm").c_str());
    ProgramRunning::SetUp();
  }

  void TearDown() override {
    ProgramRunning::TearDown();
    DeleteFileW(copy_.File(L"Help.chm").c_str());
  }

  // Chooses the item at this place of the "Справка" menu with the keyboard, as a user can:
  // Alt opens the menu bar at "Файл", Right moves to "Справка", Down opens it at its first item.
  void Choose(int place) {
    program_->WaitUntilReady();
    program_->ChooseFromMenu({VK_RIGHT, VK_DOWN});
    for (int i = 0; i < place; ++i) program_->PressKeys({VK_DOWN});
    program_->PressKeys({VK_RETURN});
  }

  static std::u16string Shown(std::u16string_view target, int show) {
    return std::u16string(target) + u"\n" + DecimalText(show);
  }

  HWND DonationDialog() {
    const auto dialogs = program_->TopLevelWindows(L"TWMRForm");
    return dialogs.size() == 1 ? dialogs.front() : nullptr;
  }

  testing_support::ShellRecorder recorder_{{L"http", L"https", L"wmk"}, L".chm"};
};

TEST_F(MainMenu, BothSiteItemsOpenTheHomePage) {
  Choose(Site);
  EXPECT_EQ(Utf16ToUtf8(recorder_.WaitForRecord()), Utf16ToUtf8(Shown(HomePage, SW_SHOWNORMAL)));
  Choose(Site2);
  EXPECT_EQ(Utf16ToUtf8(recorder_.WaitForRecord()), Utf16ToUtf8(Shown(HomePage, SW_SHOWNORMAL)));
}

TEST_F(MainMenu, WithoutTheHelpFileTheHelpItemHidesItself) {
  Choose(Help);
  // The item is gone: the third place now holds "Сходить за обновлениями". Its page is the
  // first thing the shell is handed, so the first choice handed it nothing.
  Choose(Help);
  EXPECT_EQ(Utf16ToUtf8(recorder_.WaitForRecord()), Utf16ToUtf8(Shown(HomePage, SW_SHOWNORMAL)));
  EXPECT_EQ(program_->TopLevelWindows(L"#32770").size(), 0u);  // and no message
}

TEST_F(MainMenu, TheHelpFileOpensWhilePresentAndTheItemHidesOnceItIsGone) {
  WriteBmp24(copy_.File(L"Help.chm"), 1, 1, [](int, int) { return Color{0}; });  // any file will do
  Choose(Help);
  EXPECT_EQ(Utf16ToUtf8(recorder_.WaitForRecord()), Utf16ToUtf8(Shown(FromWide(copy_.File(L"Help.chm")), SW_SHOWNORMAL)));
  ASSERT_TRUE(DeleteFileW(copy_.File(L"Help.chm").c_str()));
  Choose(Help);
  Choose(Help);
  EXPECT_EQ(Utf16ToUtf8(recorder_.WaitForRecord()), Utf16ToUtf8(Shown(HomePage, SW_SHOWNORMAL)));
}

TEST_F(MainMenu, TheAboutBoxSaysWhoMadeIt) {
  Choose(About);
  const HWND about = program_->WaitForWindow(L"О программе");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(Utf16ToUtf8(FromWide(DialogText(about))),
            Utf16ToUtf8(u"          Зераска 2.1\rАвтор: команда Ovelix, 2026"));
  PressDialogButton(about, IDOK);
}

TEST_F(MainMenu, TheDonationDialogHandsItsLinksToTheShellAndStaysBesideTheMainWindow) {
  const HWND dialog = DonationDialog();  // made, hidden, at start
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowVisible(dialog));
  Choose(Donate);
  ASSERT_TRUE(Eventually([&] { return IsWindowVisible(dialog) != FALSE; }));
  wchar_t caption[64] = {};
  GetWindowTextW(dialog, caption, 64);
  EXPECT_STREQ(caption, L"Пожертвования");
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, ScaleToSystem(462));
  EXPECT_EQ(client.bottom, ScaleToSystem(297));

  // The payment link, then the message about it.
  const auto clickInDialog = [&](const RECT& design) {
    const POINT centre = CentreOf(design);
    program_->ClickAt(dialog, {ScaleToSystem(centre.x), ScaleToSystem(centre.y)});
  };
  clickInDialog(ui::wmr::Image1);
  EXPECT_EQ(Utf16ToUtf8(recorder_.WaitForRecord()),
            Utf16ToUtf8(Shown(u"wmk:payto?purse=R100000000001&BringToFront=Y&Desc=Спасибо!", SW_SHOW)));
  const HWND message = program_->WaitForWindow(L"Ovelix");
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(Utf16ToUtf8(FromWide(DialogText(message))),
            Utf16ToUtf8(u"Сейчас будет запущен WebMoney Keeper Classic... Если у вас его нет, запишите мой номерок и "
                        u"положите на него денюжку в ближайшем автомате оплаты услуг связи. СПАСИБО)))"));
  PressDialogButton(message, IDOK);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(message); }));

  clickInDialog(ui::wmr::Image2);
  EXPECT_EQ(Utf16ToUtf8(recorder_.WaitForRecord()),
            Utf16ToUtf8(Shown(u"https://sms-donate.example/?info&id=48151", SW_SHOW)));

  // The main window goes on working beside the dialog, and a second choice of the item
  // brings the same dialog forward.
  program_->ClickAt(CheckUseWhite);
  EXPECT_TRUE(Eventually([&] { return program_->Boxes()[0]; }));
  EXPECT_EQ(SystemColorsNow()[0], KeyColor);
  program_->ClickAt(CheckUseWhite);
  EXPECT_TRUE(Eventually([&] { return !program_->Boxes()[0]; }));
  EXPECT_TRUE(IsWindowVisible(dialog));
  Choose(Donate);
  EXPECT_TRUE(Eventually([&] { return GetForegroundWindow() == dialog; }));
  EXPECT_EQ(program_->TopLevelWindows(L"TWMRForm").size(), 1u);

  // Closing hides it; it stays made for the rest of the run.
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(Eventually([&] { return !IsWindowVisible(dialog); }));
  EXPECT_TRUE(IsWindow(dialog));
}

}  // namespace
}  // namespace ovelix::e2e
