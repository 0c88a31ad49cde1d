#include <gtest/gtest.h>

#include "core/key_color.h"
#include "core/text.h"
#include "desktop/tests/desktop_state.h"
#include "ui/form1_layout.h"
#include "ui/tests/e2e/program_driver.h"
#include "ui/tests/e2e/program_fixture.h"
#include "ui/tests/e2e/test_files.h"

namespace ovelix::e2e {
namespace {

using ui::form1::BtnFix;

// What the program puts back at the end: the settings found at its first start, even when
// a later start found its own picture.
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
    const testing_support::RestrictedDesktopKey restricted(testing_support::ReadAccessOnly);
    EXPECT_EQ(program.Send(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_TRUE(program.TopLevelWindows(L"#32770").empty());
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
    EXPECT_FALSE(copy.HasRestoreRecord());
  }
}

TEST_F(Restore, ACaptureStoppedByTheRegistryStillKnowsTheColours) {
  const auto colorsAtStart = SystemColorsNow();
  const WallpaperValues found = Found(u"x", u"2");
  ProgramCopy copy(L"stopped-capture");
  RunningProgram program(copy.Executable());
  const HWND error = program.WaitForWindow(L"Ovelix");
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(DialogText(error), L"'x' is not a valid integer value.");
  PressDialogButton(error, IDOK);
  ASSERT_TRUE(Eventually([&] { return !IsWindow(error); }));
  EXPECT_TRUE(program.IsShown(ui::form1::PanelLogoName));  // over the boxes: only hot keys reach them

  // Ctrl+F5 twice puts the window colour back; Ctrl+F6 leaves one for the close to put back.
  // The boxes cannot be seen under the logo: the colours tell.
  const std::pair<WORD, BoxStates> steps[] = {
      {VK_F5, {true, false, false}}, {VK_F5, {false, false, false}}, {VK_F6, {false, true, false}}};
  for (const auto& [key, replaced] : steps) {
    ASSERT_EQ(program.PressToggleKeys({VK_CONTROL, key}, 1).size(), 1u) << "key " << key;
    EXPECT_TRUE(Eventually([&] { return ReplacedColours() == replaced; })) << "key " << key;
  }
  EXPECT_EQ(SystemColorsNow()[0], colorsAtStart[0]);

  CloseNormally(program);
  EXPECT_EQ(SystemColorsNow(), colorsAtStart);
  EXPECT_TRUE(found.AreStored());
  EXPECT_FALSE(copy.HasRestoreRecord());  // nothing was recorded of a capture that stopped
}

TEST_F(Restore, TheStartAfterAKilledRunTakesTheSettingsOfTheFirstStart) {
  const WallpaperValues found = Found(u" 1", u"10");
  ProgramCopy copy(L"killed");
  {
    RunningProgram first(copy.Executable());
    ASSERT_TRUE(first.WaitForStartUp());
  }  // ends it with TerminateProcess, as the task manager would
  ASSERT_TRUE(ModeXApplied(copy).AreStored());

  RunningProgram second(copy.Executable());
  ASSERT_TRUE(second.WaitForStartUp());
  // Mixed from the user's picture: mixed from "mix1.bmp", every pixel would be key colour.
  Bmp32 mix2;
  ASSERT_TRUE(mix2.Read(copy.File(L"mix2.bmp")));
  for (const auto& [x, y] : {std::pair{0, 0}, {2, 0}, {0, 2}, {4, 6}}) EXPECT_EQ(mix2.At(x, y), WallpaperBlue);
  EXPECT_EQ(mix2.At(1, 0), KeyColor);
  CloseNormally(second);
  EXPECT_TRUE(found.AreStored());
  EXPECT_FALSE(copy.HasRestoreRecord());
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
  EXPECT_FALSE(copy.HasRestoreRecord());
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

TEST_F(Restore, TheSessionEndIsNeverHeldUp) {
  const WallpaperValues found = Found(u"0", u"2");
  ProgramCopy copy(L"session-end");
  RunningProgram program(copy.Executable());
  ASSERT_TRUE(program.WaitForStartUp());
  QueryEndSessionThatCannotRestore(program);
  EXPECT_TRUE(ModeXApplied(copy).AreStored());
  program.Send(WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // someone else refused
  EXPECT_FALSE(program.WaitForExit(300ms).has_value());

  EXPECT_EQ(program.Send(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_TRUE(found.AreStored());
  EXPECT_TRUE(copy.HasRestoreRecord());  // the session may still go on
  program.Send(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_FALSE(copy.HasRestoreRecord());
  EXPECT_TRUE(found.AreStored());
}

TEST_F(Restore, WhatTheSessionEndCouldNotPutBackComesBackAtTheNextStart) {
  const WallpaperValues found = Found(u"1", u"6");
  ProgramCopy copy(L"session-end-refused");
  {
    RunningProgram first(copy.Executable());
    ASSERT_TRUE(first.WaitForStartUp());
    QueryEndSessionThatCannotRestore(first);
    first.Send(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(first.WaitForExit(), 0u);
  }
  EXPECT_TRUE(ModeXApplied(copy).AreStored());
  EXPECT_TRUE(copy.HasRestoreRecord());

  RunningProgram second(copy.Executable());
  ASSERT_TRUE(second.WaitForStartUp());
  CloseNormally(second);
  EXPECT_TRUE(found.AreStored());
}

}  // namespace
}  // namespace ovelix::e2e
