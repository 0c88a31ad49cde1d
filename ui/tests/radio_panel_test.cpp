#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "desktop/tests/message_pump.h"
#include "ui/com_apartment.h"
#include "ui/controls/panel.h"
#include "ui/tests/accessible_tree.h"

namespace ovelix::ui {
namespace {

using testing_support::ChildId;
using testing_support::ClientObject;
using testing_support::PumpMessages;
using testing_support::StateChangeListener;

// Two panels on a top-level window, made one radio group; the first is checked.
class RadioPanels : public ::testing::Test {
 protected:
  RadioPanels() {
    top_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 140, 110, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < 2; ++i) {
      panels_[i].Create(top_, {10, 10 + 50 * i, 130, 50 + 50 * i}, i == 0 ? u"Первый" : u"Второй", PanelBevel::Etched,
                        nullptr);
      panels_[i].MakeRadio([this](int step) { steps_.push_back(step); });
      panels_[i].SetOnClick([this] { ++clicks_; });
      panels_[i].SetChecked(i == 0);
    }
    UpdateWindow(top_);
  }
  ~RadioPanels() override {
    if (IsWindow(top_)) DestroyWindow(top_);
  }

  bool TabStop(const Panel& panel) const { return (GetWindowLongPtrW(panel.Handle(), GWL_STYLE) & WS_TABSTOP) != 0; }

  ComApartment com_;
  HWND top_ = nullptr;
  Panel panels_[2];
  std::vector<int> steps_;
  int clicks_ = 0;
};

TEST_F(RadioPanels, ToolsSeeRadioButtonsCheckedAsChosenAndHearEachChange) {
  const auto first = ClientObject(panels_[0].Handle());
  const auto second = ClientObject(panels_[1].Handle());
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  const auto self = [](IAccessible& object) {
    VARIANT role, state;
    V_VT(&role) = V_VT(&state) = VT_EMPTY;
    object.get_accRole(ChildId(CHILDID_SELF), &role);
    object.get_accState(ChildId(CHILDID_SELF), &state);
    BSTR action = nullptr;
    object.get_accDefaultAction(ChildId(CHILDID_SELF), &action);
    const std::wstring actionText = action != nullptr ? action : L"";
    SysFreeString(action);
    return std::tuple{V_I4(&role), (V_I4(&state) & STATE_SYSTEM_CHECKED) != 0, actionText};
  };
  EXPECT_EQ(self(*first), std::tuple(ROLE_SYSTEM_RADIOBUTTON, true, std::wstring(L"Выбрать")));
  EXPECT_EQ(self(*second), std::tuple(ROLE_SYSTEM_RADIOBUTTON, false, std::wstring(L"Выбрать")));
  EXPECT_TRUE(TabStop(panels_[0]));
  EXPECT_FALSE(TabStop(panels_[1]));

  {
    StateChangeListener listener(GetCurrentProcessId());
    ASSERT_TRUE(listener.Listening());
    panels_[1].SetChecked(true);
    panels_[0].SetChecked(false);
    panels_[0].SetChecked(false);  // no change, nothing to tell
    EXPECT_EQ(listener.Heard(), (std::vector<StateChangeListener::Change>{
                                    {panels_[1].Handle(), OBJID_CLIENT, CHILDID_SELF},
                                    {panels_[0].Handle(), OBJID_CLIENT, CHILDID_SELF}}));
  }
  EXPECT_EQ(std::get<1>(self(*first)), false);
  EXPECT_EQ(std::get<1>(self(*second)), true);
  EXPECT_FALSE(TabStop(panels_[0]));
  EXPECT_TRUE(TabStop(panels_[1]));

  // The default action clicks from the message loop, and only while the panel can be clicked.
  ASSERT_EQ(second->accDoDefaultAction(ChildId(CHILDID_SELF)), S_OK);
  EXPECT_EQ(clicks_, 0);
  PumpMessages();
  EXPECT_EQ(clicks_, 1);
  EnableWindow(top_, FALSE);
  EXPECT_EQ(second->accDoDefaultAction(ChildId(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(std::get<2>(self(*second)), L"");
}

TEST_F(RadioPanels, ArrowsStepTheChoiceAndSpaceOrEnterClickOncePerPress) {
  constexpr LPARAM Repeated = LPARAM{1} << 30;
  const struct {
    WPARAM key;
    LPARAM flags;
    std::vector<int> steps;
    int clicks;
  } cases[] = {
      {VK_DOWN, 0, {1}, 0},  {VK_RIGHT, Repeated, {1}, 0}, {VK_UP, 0, {-1}, 0}, {VK_LEFT, 0, {-1}, 0},
      {VK_SPACE, 0, {}, 1},  {VK_RETURN, 0, {}, 1},        {VK_SPACE, Repeated, {}, 0},
      {VK_RETURN, Repeated, {}, 0}, {'A', 0, {}, 0},
  };
  for (const auto& c : cases) {
    steps_.clear();
    clicks_ = 0;
    SendMessageW(panels_[1].Handle(), WM_KEYDOWN, c.key, c.flags | 1);
    EXPECT_EQ(steps_, c.steps) << "key " << c.key;
    EXPECT_EQ(clicks_, c.clicks) << "key " << c.key;
  }

  // It keeps the arrows and Enter from the dialog manager, which would move the focus
  // instead or send the window its OK command.
  MSG enter{panels_[1].Handle(), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_EQ(SendMessageW(panels_[1].Handle(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)),
            DLGC_WANTARROWS | DLGC_WANTMESSAGE);
  MSG tab{panels_[1].Handle(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
  EXPECT_EQ(SendMessageW(panels_[1].Handle(), WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)),
            DLGC_WANTARROWS);
}

// Wine keeps no keyboard cues state (every window answers WM_QUERYUISTATE with 0 and
// ignores WM_CHANGEUISTATE); this stands in for the system as Windows behaves: it answers
// with the state kept here, and a change of the state is sent back as WM_UPDATEUISTATE.
WNDPROC panelProcedure = nullptr;
bool focusHidden = false;

LRESULT CALLBACK KeyboardCuesAsWindows(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_QUERYUISTATE) return focusHidden ? UISF_HIDEFOCUS : 0;
  if (message == WM_CHANGEUISTATE && (HIWORD(wParam) & UISF_HIDEFOCUS) != 0) {
    focusHidden = LOWORD(wParam) == UIS_SET;
    return CallWindowProcW(panelProcedure, window, WM_UPDATEUISTATE, wParam, 0);
  }
  return CallWindowProcW(panelProcedure, window, message, wParam, lParam);
}

TEST_F(RadioPanels, TheFocusRectangleShowsWhileFocusedUnlessTheSystemHidesFocusCues) {
  const HWND panel = panels_[0].Handle();
  panelProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KeyboardCuesAsWindows)));
  focusHidden = true;  // as after a start with the mouse, keyboard cues hidden until used
  // The row on which the focus rectangle's top edge lies, just inside the bevel.
  const auto focusRow = [&] {
    UpdateWindow(panel);
    std::vector<COLORREF> row;
    HDC dc = GetDC(panel);
    const int y = GetSystemMetrics(SM_CYEDGE) + 1;
    for (int x = 0; x < 120; ++x) row.push_back(GetPixel(dc, x, y));
    ReleaseDC(panel, dc);
    return row;
  };
  const std::vector<COLORREF> plain = focusRow();

  SetFocus(panel);
  ASSERT_EQ(GetFocus(), panel);
  EXPECT_EQ(focusRow(), plain) << "cues hidden";
  SendMessageW(panel, WM_KEYDOWN, VK_DOWN, 1);  // the keyboard in use shows them
  EXPECT_FALSE(focusHidden);
  const std::vector<COLORREF> focused = focusRow();
  EXPECT_NE(focused, plain);
  SendMessageW(panel, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  EXPECT_EQ(focusRow(), plain) << "cues hidden again";
  SendMessageW(panel, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  EXPECT_EQ(focusRow(), focused);
  SetFocus(panels_[1].Handle());
  EXPECT_EQ(focusRow(), plain) << "focus gone";
}

}  // namespace
}  // namespace ovelix::ui
