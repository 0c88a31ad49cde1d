#include <windows.h>

#include <gtest/gtest.h>

#include "core/platform/wide.h"
#include "desktop/recovery.h"
#include "desktop/tests/desktop_state.h"
#include "ui/Unit1.h"
#include "ui/WMR.h"
#include "ui/com_apartment.h"
#include "ui/form1_layout.h"
#include "ui/tests/accessible_tree.h"

namespace ovelix::ui {
namespace {

using namespace testing_support;

// Every message for this thread but the timers', whose first tick would start the program.
void PumpAllButTimers() {
  MSG message;
  for (bool any = true; any;) {
    any = false;
    for (const auto& [first, last] : {std::pair<UINT, UINT>{0, WM_TIMER - 1}, {WM_TIMER + 1, 0xFFFFFFFF}}) {
      while (PeekMessageW(&message, nullptr, first, last, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        DispatchMessageW(&message);
        any = true;
      }
    }
  }
}

class StartUp : public DesktopTest {};

// The window is there before its first timer tick has read and recorded what it found: a
// screen reader's default action on a mode panel, the panel's click and a colour box's
// click change nothing then.
TEST_F(StartUp, NothingChangesTheDesktopBeforeWhatWasFoundIsRecorded) {
  const RawValue wallpaper = StringValue(u"C:\\Обои\\кот.bmp");
  WriteRawValue(WallpaperValue, wallpaper);
  WriteRawValue(TileWallpaperValue, StringValue(u"0"));
  WriteRawValue(WallpaperStyleValue, StringValue(u"10"));
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const ComApartment com;
  {
    TWMRForm dialog;
    TForm1 form(dialog);
    form.Create();
    ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
    const HWND full = FindWindowExW(form.Handle(), nullptr, nullptr, L"Полностью");
    ASSERT_NE(full, nullptr);
    const auto panel = ClientObject(full);
    ASSERT_NE(panel, nullptr);
    // Whether the object acts for a caption under the logo or not, the click may come in
    // other ways: the panel's handler itself runs.
    panel->accDoDefaultAction(ChildId(1));
    form.Label_sharpClick();
    const HWND white = FindWindowExW(form.Handle(), nullptr, L"BUTTON", L"Использовать белый цвет");
    ASSERT_NE(white, nullptr);
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(form1::IdCheckUseWhite, BN_CLICKED),
                 reinterpret_cast<LPARAM>(white));
    PumpAllButTimers();
    EXPECT_EQ(SendMessageW(white, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  }
  PumpAllButTimers();
  EXPECT_TRUE(HasString(WallpaperValue, u"C:\\Обои\\кот.bmp"));
  EXPECT_TRUE(HasString(TileWallpaperValue, u"0"));
  EXPECT_TRUE(HasString(WallpaperStyleValue, u"10"));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), window);
  EXPECT_FALSE(ReadRecord());
}

}  // namespace
}  // namespace ovelix::ui
