#include <gtest/gtest.h>

#include "core/key_color.h"
#include "core/pattern.h"
#include "core/platform/wide.h"
#include "ui/form1_layout.h"
#include "ui/tests/e2e/program_driver.h"
#include "ui/tests/e2e/program_fixture.h"
#include "ui/tests/e2e/test_files.h"

namespace ovelix::e2e {
namespace {

using ui::form1::BtnFix;
using ui::form1::CheckUseBack;
using ui::form1::CheckUseBlack;
using ui::form1::CheckUseWhite;

using Lifecycle = testing_support::DesktopTest;

std::array<COLORREF, 3> SystemColors() { return SystemColorsNow(); }

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

TEST_F(Lifecycle, StartComposesAppliesModeXAndCloseRestores) {
  const WallpaperValues found = BlueWallpaperFound();
  found.Write();
  const auto colorsAtStart = SystemColors();
  ProgramCopy copy(L"start");
  RunningProgram program(copy.Executable());
  ASSERT_TRUE(program.WaitForStartUp());

  for (const wchar_t* name : {L"mix1.bmp", L"mix2.bmp", L"Pict1.bmp"}) EXPECT_TRUE(FileExists(copy.File(name))) << name;
  Bmp32 mix1;
  ASSERT_TRUE(mix1.Read(copy.File(L"mix1.bmp")));
  EXPECT_EQ(mix1.width, ScreenWidth());
  EXPECT_EQ(mix1.height, ScreenHeight());
  EXPECT_EQ(mix1.At(0, 0), KeyColor);
  EXPECT_EQ(mix1.At(1, 0), WallpaperBlue);
  EXPECT_TRUE(ModeXApplied(copy).AreStored());

  program.Post(WM_CLOSE);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_TRUE(found.AreStored());
  EXPECT_EQ(SystemColors(), colorsAtStart);
}

TEST_F(Lifecycle, ShowsTheTitleOnTheTaskBarButton) {
  BlueWallpaperFound().Write();
  ProgramCopy copy(L"title");
  RunningProgram program(copy.Executable());
  ASSERT_TRUE(program.WaitForStartUp());
  const auto owners = program.TopLevelWindows(L"OvelixApplication");
  ASSERT_EQ(owners.size(), 1u);
  wchar_t title[64] = {};
  GetWindowTextW(owners.front(), title, 64);
  EXPECT_STREQ(title, L"Ovelix");
  EXPECT_TRUE(IsWindowVisible(owners.front()));
  EXPECT_EQ(GetWindow(program.MainWindow(), GW_OWNER), owners.front());

  RECT client;
  GetClientRect(program.MainWindow(), &client);
  EXPECT_EQ(client.right, ScaleToSystem(334));
  EXPECT_EQ(client.bottom, ScaleToSystem(264));
  program.Post(WM_CLOSE);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST_F(Lifecycle, WithoutWallpaperShowsTheMessageThenAWhiteCheckerboard) {
  WallpaperValues{u"", u"0", u"0"}.Write();
  ProgramCopy copy(L"no-wallpaper");
  RunningProgram program(copy.Executable());
  const HWND message = program.WaitForWindow(L"Ovelix");
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(DialogText(message), L"Ошибка - не найден ваш фоновый рисунок \"\" ! Будет установлен чистый лист...");
  EXPECT_FALSE(FileExists(copy.File(L"mix1.bmp")));  // composition waits for the message
  PressDialogButton(message, IDOK);
  ASSERT_TRUE(program.WaitForStartUp());

  Bmp32 mix1;
  ASSERT_TRUE(mix1.Read(copy.File(L"mix1.bmp")));
  for (int y = 0; y < mix1.height; y += 97)
    for (int x = 0; x < mix1.width; x += 89)
      ASSERT_EQ(mix1.At(x, y), IsKeyPixel(MixMode::x, x, y) ? KeyColor : White) << x << "," << y;
  program.Post(WM_CLOSE);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST_F(Lifecycle, CheckBoxesReplaceTheColoursAndCloseRestoresThem) {
  BlueWallpaperFound().Write();
  const auto colorsAtStart = SystemColors();
  ProgramCopy copy(L"colours");
  RunningProgram program(copy.Executable());
  ASSERT_TRUE(program.WaitForStartUp());
  for (const RECT& box : {CheckUseWhite, CheckUseBlack, CheckUseBack}) program.ClickAt(box);
  EXPECT_TRUE(Eventually([&] { return program.Boxes() == BoxStates{true, true, true}; }));
  EXPECT_EQ(SystemColors(), (std::array<COLORREF, 3>{KeyColor, KeyColor, KeyColor}));

  program.Post(WM_CLOSE);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_EQ(SystemColors(), colorsAtStart);
}

TEST_F(Lifecycle, SessionEndQueryRestoresTheWallpaperOnly) {
  const WallpaperValues found = BlueWallpaperFound();
  found.Write();
  const auto colorsAtStart = SystemColors();
  ProgramCopy copy(L"session-end");
  RunningProgram program(copy.Executable());
  ASSERT_TRUE(program.WaitForStartUp());
  program.ClickAt(CheckUseWhite);
  ASSERT_TRUE(Eventually([&] { return program.Boxes()[0]; }));

  EXPECT_EQ(program.Send(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_TRUE(found.AreStored());
  EXPECT_EQ(SystemColors()[0], KeyColor);
  EXPECT_FALSE(program.WaitForExit(300ms).has_value());

  program.Post(WM_CLOSE);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_EQ(SystemColors(), colorsAtStart);
}

TEST_F(Lifecycle, FixAnsweredNoOrEscapeChangesNothing) {
  BlueWallpaperFound().Write();
  ProgramCopy copy(L"fix-no");
  RunningProgram program(copy.Executable());
  ASSERT_TRUE(program.WaitForStartUp());

  program.ClickAt(BtnFix);
  HWND confirm = program.WaitForWindow(L"Confirm");
  ASSERT_NE(confirm, nullptr);
  EXPECT_EQ(DialogText(confirm), L"Хотите оставить эту картинку и выйти?");
  PressDialogButton(confirm, IDNO);
  ASSERT_TRUE(Eventually([&] { return !IsWindow(confirm); }));

  program.ClickAt(BtnFix);
  confirm = program.WaitForWindow(L"Confirm");
  ASSERT_NE(confirm, nullptr);
  ASSERT_TRUE(program.WaitUntilReady(confirm));
  program.PressKeys({VK_ESCAPE});
  EXPECT_TRUE(Eventually([&] { return !IsWindow(confirm); }));

  EXPECT_FALSE(program.WaitForExit(300ms).has_value());
  EXPECT_TRUE(ModeXApplied(copy).AreStored());
  program.Post(WM_CLOSE);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST_F(Lifecycle, FixAnsweredYesEndsAtOnceAndKeepsTheReplacedColour) {
  BlueWallpaperFound().Write();
  ProgramCopy copy(L"fix-yes");
  RunningProgram program(copy.Executable());
  ASSERT_TRUE(program.WaitForStartUp());
  program.ClickAt(CheckUseWhite);
  ASSERT_TRUE(Eventually([&] { return program.Boxes()[0]; }));

  program.ClickAt(BtnFix);
  const HWND confirm = program.WaitForWindow(L"Confirm");
  ASSERT_NE(confirm, nullptr);
  ASSERT_TRUE(program.WaitUntilReady(confirm));
  program.PressKeys({VK_RETURN});  // yes is the default button
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_EQ(SystemColors()[0], KeyColor);
  EXPECT_TRUE(ModeXApplied(copy).AreStored());
}

}  // namespace
}  // namespace ovelix::e2e

namespace ovelix::e2e {
namespace {

TEST_F(Lifecycle, AFileThatCannotBeCreatedIsReportedAndNothingElseIsLost) {
  const WallpaperValues found = BlueWallpaperFound();
  found.Write();
  ProgramCopy copy(L"unwritable");
  // Another program holds "mix1.bmp" open and shares it with nobody: the system refuses to
  // let anyone write it. (Folder permissions would not do here: Wine runs as root.)
  const HANDLE held = CreateFileW(copy.File(L"mix1.bmp").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  RunningProgram program(copy.Executable());
  const HWND error = program.WaitForWindow(L"Ovelix");
  ASSERT_NE(error, nullptr);
  const std::wstring text = DialogText(error);
  const std::wstring expected = L"Cannot create file \"" + copy.File(L"mix1.bmp") + L"\". ";
  EXPECT_EQ(text.substr(0, expected.size()), expected) << std::string(text.begin(), text.end());
  EXPECT_GT(text.size(), expected.size() + 1);  // the system's reason follows
  PressDialogButton(error, IDOK);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(error); }));
  CloseHandle(held);

  EXPECT_TRUE(program.IsShown(ui::form1::PanelLogoName));
  EXPECT_FALSE(FileExists(copy.File(L"mix2.bmp")));
  EXPECT_EQ(FileSize(copy.File(L"mix1.bmp")), 0u);  // the held file as it was
  EXPECT_FALSE(FileExists(copy.File(L"mix1.bmp.tmp")));
  EXPECT_TRUE(found.AreStored());
  program.Post(WM_CLOSE);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_TRUE(found.AreStored());
}

}  // namespace
}  // namespace ovelix::e2e
