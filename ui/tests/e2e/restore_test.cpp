#include <gtest/gtest.h>

#include "core/key_color.h"
#include "core/mix_mode.h"
#include "core/platform/wide.h"
#include "core/text.h"
#include "desktop/recovery.h"
#include "desktop/tests/desktop_state.h"
#include "desktop/tests/refused_wallpaper.h"
#include "ui/com_apartment.h"
#include "ui/form1_layout.h"
#include "ui/tests/accessible_tree.h"
#include "ui/tests/e2e/program_driver.h"
#include "ui/tests/e2e/program_fixture.h"
#include "ui/tests/e2e/test_files.h"

namespace ovelix::e2e {
namespace {

using ui::form1::BtnFix;

// What the program puts back at the end: the settings found at its first start, even when
// a later start, of any copy, found a picture of the program's.
class Restore : public testing_support::DesktopTest {
 protected:
  static WallpaperValues Found(std::u16string_view tile, std::u16string_view style) {
    WallpaperValues found = BlueWallpaperFound();
    found.tile = tile;
    found.style = style;
    found.Write();
    return found;
  }
  // The session-end query while the wallpaper cannot be put back: the answer is yes all the
  // same, at once, and no box holds the session up.
  static void QueryEndSessionThatCannotRestore(RunningProgram& program) {
    EXPECT_EQ(program.Send(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_TRUE(program.TopLevelWindows(L"#32770").empty());
  }
  // Mixed from the user's blue picture: mixed from a picture of the program's, every pixel
  // would be key colour.
  static void ExpectMixedFromTheUsersPicture(const ProgramCopy& copy) {
    Bmp32 mix2;
    ASSERT_TRUE(mix2.Read(copy.File(L"mix2.bmp")));
    for (const auto& [x, y] : {std::pair{0, 0}, {2, 0}, {0, 2}, {4, 6}}) EXPECT_EQ(mix2.At(x, y), WallpaperBlue);
    EXPECT_EQ(mix2.At(1, 0), KeyColor);
  }
  // A start of the copy, after a run that could not put back what it found, and its close.
  static void ExpectTheNextRunToPutBack(const ProgramCopy& copy, const WallpaperValues& found) {
    RunningProgram next(copy.Executable());
    ASSERT_TRUE(next.WaitForStartUp());
    ExpectMixedFromTheUsersPicture(copy);
    CloseNormally(next);
    EXPECT_TRUE(found.AreStored());
    EXPECT_FALSE(ReadRecord());
  }
  // A mode panel's caption used as a screen reader's user does; the click it posts is
  // handled before anything posted or typed after it.
  static void DefaultActionOfModeCaption(RunningProgram& program, MixMode mode) {
    const auto panel = testing_support::ClientObject(program.Child(TraitsOf(mode).panelCaption));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->accDoDefaultAction(testing_support::ChildId(1)), S_OK);
  }
  // After a start-up that failed, neither the accessibility default actions nor the hot keys
  // change the desktop, and the menu still offers the about box.
  static void ExpectNothingChangesTheDesktop(RunningProgram& program, const WallpaperValues& found) {
    // Read as a tool reads it, the program's interfaces held until it has closed.
    const ui::ComApartment com;
    const testing_support::ServedInterfaces served(program.MainWindow());
    ASSERT_TRUE(served.Holding());
    const auto colorsAtStart = SystemColorsNow();
    DefaultActionOfModeCaption(program, MixMode::full);
    program.HoldKeysFor({VK_CONTROL, VK_F5}, 20);
    program.WaitUntilReady();
    program.ChooseFromMenu({VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    const HWND about = program.WaitForWindow(L"О программе");
    ASSERT_NE(about, nullptr);
    PressDialogButton(about, IDOK);
    EXPECT_TRUE(found.AreStored());
    EXPECT_EQ(SystemColorsNow(), colorsAtStart);
    CloseNormally(program);
    EXPECT_TRUE(found.AreStored());
    EXPECT_EQ(SystemColorsNow(), colorsAtStart);
    EXPECT_FALSE(ReadRecord());
  }
};

TEST_F(Restore, CloseWritesBackTheTilingAndStyleTextsFound) {
  // Fit, fill, span (Windows 7 and later), tiled, stretched.
  const std::pair<std::u16string_view, std::u16string_view> texts[] = {
      {u" 1", u"6"}, {u"0", u"10"}, {u"0", u"22"}, {u"1", u"0"}, {u"0", u"2"}};
  for (const auto& [tile, style] : texts) {
    SCOPED_TRACE(Utf16ToUtf8(std::u16string(tile) + u"/" + std::u16string(style)));
    const WallpaperValues found = Found(tile, style);
    ProgramCopy copy(L"verbatim");
    RunningProgram program(copy.Executable());
    ASSERT_TRUE(program.WaitForStartUp());
    EXPECT_TRUE(ModeXApplied(copy).AreStored());
    EXPECT_TRUE(copy.HasRestoreRecord());
    CloseNormally(program);
    EXPECT_TRUE(found.AreStored());
    EXPECT_FALSE(ReadRecord());
  }
}

TEST_F(Restore, TheProgramFolderHoldsNothingButTheProgramItsGuideAndItsPictures) {
  Found(u"0", u"2");
  ProgramCopy copy(L"own-folder");
  // Another program's file of the name the record once had.
  const std::vector<std::uint8_t> foreign{'[', 'o', 't', 'h', 'e', 'r', ']', '\r', '\n', 0, 1, 2};
  WriteFileBytes(copy.File(L"restore.dat"), foreign);
  WriteBmp24(copy.File(L"Help.chm"), 1, 1, [](int, int) { return Color{0}; });  // any file will do
  {
    RunningProgram killed(copy.Executable());
    ASSERT_TRUE(killed.WaitForStartUp());
  }
  RunningProgram program(copy.Executable());
  ASSERT_TRUE(program.WaitForStartUp());
  CloseNormally(program);
  EXPECT_EQ(ReadFileBytes(copy.File(L"restore.dat")), foreign);
  const std::vector<std::wstring> files{L"Help.chm", L"Ovelix.exe", L"Pict1.bmp", L"mix1.bmp", L"mix2.bmp",
                                        L"restore.dat"};
  EXPECT_EQ(copy.Files(), files);
}

TEST_F(Restore, AStartUpThatStoppedChangesNothing) {
  const WallpaperValues found = Found(u"x", u"2");
  ProgramCopy copy(L"stopped-capture");
  RunningProgram program(copy.Executable());
  const HWND error = program.WaitForWindow(L"Ovelix");
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(DialogText(error), L"'x' is not a valid integer value.");
  PressDialogButton(error, IDOK);
  ASSERT_TRUE(Eventually([&] { return !IsWindow(error); }));
  EXPECT_TRUE(program.IsShown(ui::form1::PanelLogoName));
  ExpectNothingChangesTheDesktop(program, found);
}

TEST_F(Restore, NothingChangesUntilWhatWasFoundIsRecorded) {
  const WallpaperValues found = Found(u"0", u"2");
  ProgramCopy copy(L"unrecorded");
  const testing_support::RestrictedKey recordRefused(testing_support::ReadAccessOnly, RecordKeyPath);
  RunningProgram program(copy.Executable());
  const HWND error = program.WaitForWindow(L"Ovelix");
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(DialogText(error), L"Failed to set data for 'Restore'");
  PressDialogButton(error, IDOK);
  ASSERT_TRUE(Eventually([&] { return !IsWindow(error); }));
  ExpectNothingChangesTheDesktop(program, found);
  EXPECT_TRUE(copy.Files() == std::vector<std::wstring>{L"Ovelix.exe"});
}

TEST_F(Restore, AKilledRunIsPutBackByACopyInAnotherFolder) {
  const WallpaperValues found = Found(u" 1", u"10");
  ProgramCopy first(L"killed");
  {
    RunningProgram killed(first.Executable());
    ASSERT_TRUE(killed.WaitForStartUp());
  }  // ends it with TerminateProcess, as the task manager would
  ASSERT_TRUE(ModeXApplied(first).AreStored());
  ASSERT_TRUE(first.HasRestoreRecord());

  ProgramCopy second(L"another copy");
  RunningProgram program(second.Executable());
  ASSERT_TRUE(program.WaitForStartUp());
  ExpectMixedFromTheUsersPicture(second);
  EXPECT_TRUE(second.HasRestoreRecord());  // should this one be killed in turn
  CloseNormally(program);
  EXPECT_TRUE(found.AreStored());
  EXPECT_FALSE(ReadRecord());
}

TEST_F(Restore, TheStartAfterAFixKeepsTheFixedPicture) {
  Found(u"0", u"2");
  ProgramCopy copy(L"fixed");
  {
    RunningProgram first(copy.Executable());
    ASSERT_TRUE(first.WaitForStartUp());
    first.ClickAt(BtnFix);
    const HWND confirm = first.WaitForWindow(L"Confirm");
    ASSERT_NE(confirm, nullptr);
    PressDialogButton(confirm, IDYES);
    EXPECT_EQ(first.WaitForExit(), 0u);
  }
  EXPECT_FALSE(ReadRecord());
  Bmp32 fixed;
  ASSERT_TRUE(fixed.Read(copy.File(L"mix1.bmp")));

  RunningProgram second(copy.Executable());
  ASSERT_TRUE(second.WaitForStartUp());
  CloseNormally(second);
  EXPECT_TRUE(ModeXApplied(copy).AreStored());
  Bmp32 after;
  ASSERT_TRUE(after.Read(copy.File(L"mix1.bmp")));
  EXPECT_TRUE(after.rows == fixed.rows);  // mixed over itself, the picture stays the same
}

TEST_F(Restore, AWallpaperTheSystemRefusesKeepsTheRecordAndTheNextStartTriesAgain) {
  const WallpaperValues found = Found(u"0", u"6");
  ProgramCopy copy(L"refused");
  {
    RunningProgram first(copy.Executable());
    ASSERT_TRUE(first.WaitForStartUp());
    const testing_support::RefusedWallpaperCalls refused(first.Process());
    first.Post(WM_CLOSE);
    const HWND message = first.WaitForWindow(L"Ovelix");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(Utf16ToUtf8(FromWide(DialogText(message))),
              Utf16ToUtf8(u"Не удалось вернуть ваш фоновый рисунок \"" + found.wallpaper +
                          u"\": Windows отказалась его установить. Он записан в настройки рабочего стола и "
                          u"появится при следующем входе в систему, когда файл будет доступен. При следующем "
                          u"запуске программа попробует вернуть его ещё раз."));
    PressDialogButton(message, IDOK);
    EXPECT_EQ(first.WaitForExit(), 0u);
  }
  // Written where the next sign-in reads them; the record stays for the next start.
  EXPECT_TRUE(found.AreStored());
  EXPECT_TRUE(copy.HasRestoreRecord());
  ExpectTheNextRunToPutBack(copy, found);
}

TEST_F(Restore, TheSessionEndIsNeverHeldUp) {
  const WallpaperValues found = Found(u"0", u"2");
  ProgramCopy copy(L"session-end");
  RunningProgram program(copy.Executable());
  ASSERT_TRUE(program.WaitForStartUp());
  {
    const testing_support::RestrictedKey restricted(testing_support::ReadAccessOnly);
    QueryEndSessionThatCannotRestore(program);
  }
  EXPECT_TRUE(ModeXApplied(copy).AreStored());
  program.Send(WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // someone else refused
  EXPECT_FALSE(program.WaitForExit(300ms).has_value());

  EXPECT_EQ(program.Send(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_TRUE(found.AreStored());
  EXPECT_TRUE(copy.HasRestoreRecord());  // the session may still go on
  program.Send(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_FALSE(ReadRecord());
  EXPECT_TRUE(found.AreStored());
}

TEST_F(Restore, WhatTheSessionEndCouldNotPutBackComesBackAtTheNextStart) {
  // The registry refuses every write; or only the system refuses the wallpaper, whose texts
  // are then written where the next sign-in reads them.
  for (const bool registryRefuses : {true, false}) {
    SCOPED_TRACE(registryRefuses ? "registry refuses" : "system refuses");
    const WallpaperValues found = Found(u"1", u"6");
    ProgramCopy copy(L"session-end-refused");
    {
      RunningProgram first(copy.Executable());
      ASSERT_TRUE(first.WaitForStartUp());
      if (registryRefuses) {
        const testing_support::RestrictedKey restricted(testing_support::ReadAccessOnly);
        QueryEndSessionThatCannotRestore(first);
      } else {
        const testing_support::RefusedWallpaperCalls refused(first.Process());
        QueryEndSessionThatCannotRestore(first);
      }
      first.Send(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
      EXPECT_EQ(first.WaitForExit(), 0u);
    }
    EXPECT_TRUE(registryRefuses ? ModeXApplied(copy).AreStored() : found.AreStored());
    EXPECT_TRUE(copy.HasRestoreRecord());
    ExpectTheNextRunToPutBack(copy, found);
  }
}

TEST_F(Restore, ASecondStartBringsTheRunningCopyForwardAndEnds) {
  const WallpaperValues found = Found(u"0", u"2");
  ProgramCopy copy(L"running");
  RunningProgram program(copy.Executable());
  ASSERT_TRUE(program.WaitForStartUp());
  // Minimised as its button in the task bar is, with the window that carries the button.
  program.Post(WM_SYSCOMMAND, SC_MINIMIZE);
  const std::vector<HWND> button = program.TopLevelWindows(L"OvelixApplication");
  ASSERT_EQ(button.size(), 1u);
  ASSERT_TRUE(Eventually([&] { return IsIconic(button.front()) != FALSE; }));

  ProgramCopy other(L"second start");
  RunningProgram second(other.Executable());
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_EQ(MainWindowsOfAnyCopy(), std::vector<HWND>{program.MainWindow()});
  EXPECT_TRUE(Eventually([&] { return GetForegroundWindow() == program.MainWindow(); }));
  EXPECT_FALSE(IsIconic(button.front()));
  EXPECT_TRUE(other.Files() == std::vector<std::wstring>{L"Ovelix.exe"});  // read nothing, wrote nothing
  EXPECT_TRUE(copy.HasRestoreRecord());
  EXPECT_TRUE(ModeXApplied(copy).AreStored());
  CloseNormally(program);
  EXPECT_TRUE(found.AreStored());
}

}  // namespace
}  // namespace ovelix::e2e
