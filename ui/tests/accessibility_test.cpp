#include <gtest/gtest.h>

#include "core/platform/wide.h"
#include "desktop/tests/message_pump.h"
#include "ui/WMR.h"
#include "ui/com_apartment.h"
#include "ui/controls/click_message.h"
#include "ui/controls/hints.h"
#include "ui/controls/image_box.h"
#include "ui/controls/label.h"
#include "ui/controls/panel.h"
#include "ui/controls/speed_button.h"
#include "ui/links.h"
#include "ui/tests/accessible_tree.h"
#include "ui/wmr_layout.h"

namespace ovelix::ui {
namespace {

using testing_support::AccessibleChild;
using testing_support::ChildId;
using testing_support::ClientObject;
using testing_support::PumpMessages;
using testing_support::ReadChildren;

RECT OnScreen(HWND window, const RECT& client) {
  POINT corners[2] = {{client.left, client.top}, {client.right, client.bottom}};
  MapWindowPoints(window, nullptr, corners, 2);
  return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

class Accessibility : public ::testing::Test {
 protected:
  ComApartment com_;  // as a tool has it
};

// A panel on a plain top-level window, holding one control of each clickable kind.
class PanelWithControls : public Accessibility {
 protected:
  PanelWithControls() {
    top_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 220, 120, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    const auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    panel_.Create(top_, {0, 0, 200, 100}, u"Панель", PanelBevel::Raised, nullptr);
    button_.Create(panel_, {10, 10, 90, 35}, u"Кнопка", font, 0, Scale());
    button_.SetOnClick([this] { ++clicks_; });
    hints_.Create(top_);
    hints_.Add(panel_, button_, u"Считает нажатия");
    label_.Create(panel_, {10, 50}, u"Надпись", font, 0);
    picture_.Create(panel_, {100, 10, 190, 90}, ImageFit::Stretch);
    picture_.SetName(u"Картинка");
    picture_.SetOnClick([this] { ++clicks_; });
    picture_.SetVisible(false);
  }
  ~PanelWithControls() override {
    if (IsWindow(top_)) DestroyWindow(top_);
  }

  HWND top_ = nullptr;
  Hints hints_;
  Panel panel_;
  SpeedButton button_;
  Label label_;
  ImageBox picture_;
  int clicks_ = 0;
};

TEST_F(PanelWithControls, ToolsSeeNameRoleStateAndPlaceOfEachGraphicControl) {
  const auto object = ClientObject(panel_.Handle());
  ASSERT_NE(object, nullptr);
  const std::vector<AccessibleChild> children = ReadChildren(*object);
  ASSERT_EQ(children.size(), 3u);
  const struct {
    const wchar_t* name;
    const wchar_t* description;  // the hint
    LONG role;
    LONG state;
    const wchar_t* defaultAction;
    RECT bounds;
  } expected[] = {
      {L"Кнопка", L"Считает нажатия", ROLE_SYSTEM_PUSHBUTTON, 0, L"Нажать", button_.Bounds()},
      {L"Надпись", L"", ROLE_SYSTEM_STATICTEXT, 0, L"", label_.Bounds()},
      {L"Картинка", L"", ROLE_SYSTEM_GRAPHIC, STATE_SYSTEM_INVISIBLE, L"", picture_.Bounds()},  // hidden: no action
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const AccessibleChild& child = children[i];
    EXPECT_EQ(child.id, static_cast<LONG>(i + 1));
    EXPECT_EQ(child.name, expected[i].name);
    EXPECT_EQ(child.description, expected[i].description);
    EXPECT_EQ(child.role, expected[i].role) << i;
    EXPECT_EQ(child.state, expected[i].state) << i;
    EXPECT_EQ(child.defaultAction, expected[i].defaultAction) << i;
    EXPECT_TRUE(SameRect(child.location, OnScreen(panel_.Handle(), expected[i].bounds))) << i;
  }

  // The host itself keeps what the system says of its window.
  BSTR name = nullptr;
  ASSERT_EQ(object->get_accName(ChildId(CHILDID_SELF), &name), S_OK);
  EXPECT_STREQ(name, L"Панель");
  SysFreeString(name);

  VARIANT hit;
  const POINT onButton = Centre(OnScreen(panel_.Handle(), button_.Bounds()));
  ASSERT_EQ(object->accHitTest(onButton.x, onButton.y, &hit), S_OK);
  EXPECT_EQ(V_VT(&hit), VT_I4);
  EXPECT_EQ(V_I4(&hit), 1);
  // The hidden picture is not there to be hit: the panel is.
  const POINT behindPicture = Centre(OnScreen(panel_.Handle(), picture_.Bounds()));
  ASSERT_EQ(object->accHitTest(behindPicture.x, behindPicture.y, &hit), S_OK);
  EXPECT_EQ(V_VT(&hit), VT_I4);
  EXPECT_EQ(V_I4(&hit), CHILDID_SELF);

  // Between the controls only their order is known: no spatial navigation, as documented.
  VARIANT end;
  EXPECT_EQ(object->accNavigate(NAVDIR_DOWN, ChildId(1), &end), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(V_VT(&end), VT_EMPTY);
  ASSERT_EQ(object->accNavigate(NAVDIR_NEXT, ChildId(1), &end), S_OK);
  EXPECT_EQ(V_I4(&end), 2);
}

TEST_F(PanelWithControls, DefaultActionClicksFromTheMessageLoopOnlyWhatTheMouseCouldClick) {
  const auto object = ClientObject(panel_.Handle());
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->accDoDefaultAction(ChildId(2)), DISP_E_MEMBERNOTFOUND);  // a label without action
  EXPECT_EQ(object->accDoDefaultAction(ChildId(3)), DISP_E_MEMBERNOTFOUND);  // hidden
  EXPECT_EQ(object->accDoDefaultAction(ChildId(4)), E_INVALIDARG);

  ASSERT_EQ(object->accDoDefaultAction(ChildId(1)), S_OK);
  EXPECT_EQ(clicks_, 0);  // the caller does not wait for the click
  PumpMessages();
  EXPECT_EQ(clicks_, 1);

  // A disabled window takes no click, nor one asked for before it was disabled.
  ASSERT_EQ(object->accDoDefaultAction(ChildId(1)), S_OK);
  EnableWindow(top_, FALSE);
  PumpMessages();
  EXPECT_EQ(clicks_, 1);
  EXPECT_EQ(ReadChildren(*object)[0].state, STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(object->accDoDefaultAction(ChildId(1)), DISP_E_MEMBERNOTFOUND);
  EnableWindow(top_, TRUE);

  picture_.SetVisible(true);
  ASSERT_EQ(object->accDoDefaultAction(ChildId(3)), S_OK);
  PumpMessages();
  EXPECT_EQ(clicks_, 2);
}

TEST_F(PanelWithControls, AClickMessageThatTheObjectsDidNotAskForDoesNothing) {
  const auto object = ClientObject(panel_.Handle());
  ASSERT_NE(object, nullptr);
  // The message the objects use, and the fixed number they once used, with the button's index.
  const UINT registered = RegisterWindowMessageW(ui::ClickMessageName);
  ASSERT_NE(registered, 0u);
  for (const UINT message : {registered, UINT{WM_APP}}) PostMessageW(panel_.Handle(), message, 0, 0);
  PumpMessages();
  EXPECT_EQ(clicks_, 0);

  // One asked for is run once, however many messages arrive.
  ASSERT_EQ(object->accDoDefaultAction(ChildId(1)), S_OK);
  PostMessageW(panel_.Handle(), registered, 0, 0);
  PumpMessages();
  EXPECT_EQ(clicks_, 1);
}

TEST_F(PanelWithControls, AnObjectKeptPastItsWindowAnswersWithAnErrorAndIsFreedByItsLastRelease) {
  IAccessible* object = ClientObject(panel_.Handle()).release();
  ASSERT_NE(object, nullptr);
  DestroyWindow(top_);
  BSTR name = nullptr;
  EXPECT_EQ(object->get_accName(ChildId(1), &name), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(name, nullptr);
  LONG count = -1;
  EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(object->accDoDefaultAction(ChildId(1)), CO_E_OBJNOTCONNECTED);
  PumpMessages();
  EXPECT_EQ(clicks_, 0);
  EXPECT_EQ(object->Release(), 0u);  // the window left no reference behind
}

TEST_F(Accessibility, TheDonationDialogNamesItsFramePicturesAndPurseField) {
  TWMRForm dialog;
  dialog.Create();
  dialog.Show();
  const auto object = ClientObject(dialog.Handle());
  ASSERT_NE(object, nullptr);
  const std::vector<AccessibleChild> children = ReadChildren(*object);
  ASSERT_EQ(children.size(), 5u);
  const Scale scale = Scale::OfSystem();
  const struct {
    const wchar_t* name;
    const wchar_t* description;
    LONG role;
    const wchar_t* defaultAction;
    RECT design;
  } expected[] = {
      {L"Способы пожертвования", L"", ROLE_SYSTEM_GROUPING, L"", wmr::Bevel1},
      {L"Пожертвовать через кошелёк WebMoney", L"Это можно сделать даже из автомата оплаты сотовой связи!",
       ROLE_SYSTEM_GRAPHIC, L"Нажать", wmr::Image1},
      {L"Пожертвовать по SMS", L"Просто, но неэффективно. Жадюги-операторы заберут себе 2/3 от всей суммы...",
       ROLE_SYSTEM_GRAPHIC, L"Нажать", wmr::Image2},
      {L"Спасибо за поддержку!", L"", ROLE_SYSTEM_GRAPHIC, L"", wmr::Image3},
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(children[i].name, expected[i].name);
    EXPECT_EQ(children[i].description, expected[i].description);
    EXPECT_EQ(children[i].role, expected[i].role) << i;
    EXPECT_EQ(children[i].state, 0) << i;
    EXPECT_EQ(children[i].defaultAction, expected[i].defaultAction) << i;
    EXPECT_TRUE(SameRect(children[i].location, OnScreen(dialog.Handle(), scale(expected[i].design)))) << i;
  }
  // The purse field is a window of its own; what it holds is the purse number.
  const HWND edit = FindWindowExW(dialog.Handle(), nullptr, L"Edit", nullptr);
  EXPECT_EQ(children[4].window, edit);
  EXPECT_EQ(children[4].value, ToWide(WebMoneyPurse));
  EXPECT_EQ(children[4].description, L"Это номерок моего кошелька");
  EXPECT_EQ(children[4].role, ROLE_SYSTEM_TEXT);  // the rest is what the system says of it

  // It lies over the frame: hit testing finds the field, not the frame.
  VARIANT hit;
  const POINT onEdit = Centre(OnScreen(dialog.Handle(), scale(wmr::Edit1)));
  ASSERT_EQ(object->accHitTest(onEdit.x, onEdit.y, &hit), S_OK);
  ASSERT_EQ(V_VT(&hit), VT_DISPATCH);
  const HWND hitWindow = testing_support::WindowOf(*V_DISPATCH(&hit));
  VariantClear(&hit);
  EXPECT_EQ(hitWindow, edit);
  DestroyWindow(dialog.Handle());  // while the dialog object still stands
}

}  // namespace
}  // namespace ovelix::ui
