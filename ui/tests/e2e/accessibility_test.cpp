#include <gtest/gtest.h>

#include <algorithm>

#include "core/mix_mode.h"
#include "core/platform/wide.h"
#include "ui/controls/click_message.h"
#include "ui/form1_layout.h"
#include "ui/tests/accessible_tree.h"
#include "ui/tests/e2e/program_fixture.h"

namespace ovelix::e2e {
namespace {

using testing_support::AccessibleChild;
using testing_support::ChildId;
using testing_support::ClientObject;
using testing_support::ReadChildren;

class Accessibility : public ProgramReadByATool {
 protected:
  Accessibility() : ProgramReadByATool(L"accessibility") {}

  std::vector<AccessibleChild> ChildrenOf(HWND window) {
    const auto object = ClientObject(window);
    return object != nullptr ? ReadChildren(*object) : std::vector<AccessibleChild>{};
  }
};

std::vector<std::wstring> Names(const std::vector<AccessibleChild>& children) {
  std::vector<std::wstring> names;
  for (const AccessibleChild& child : children) names.push_back(child.name);
  return names;
}

// A tool in another process, as a screen reader is, reads and uses the running program.
TEST_F(Accessibility, EveryControlOfTheMainWindowSaysWhatItIs) {
  const std::vector<AccessibleChild> children = ChildrenOf(program_->MainWindow());
  ASSERT_FALSE(children.empty()) << "the main window's client object cannot be had from another process";

  // Its own controls without a window, in painting order, then its child windows.
  const struct {
    const wchar_t* name;
    const wchar_t* description;  // the hint
    LONG role;
    const wchar_t* defaultAction;
  } graphics[] = {
      {L"Ctrl + F5", L"", ROLE_SYSTEM_STATICTEXT, L""},
      {L"Ctrl + F6", L"", ROLE_SYSTEM_STATICTEXT, L""},
      {L"Ctrl + F7", L"", ROLE_SYSTEM_STATICTEXT, L""},
      {L"Закрепить", L"Оставить картинку в качестве постоянных обоев", ROLE_SYSTEM_PUSHBUTTON, L"Нажать"},
      {L"На весь экран", L"Наложить видео на весь экран", ROLE_SYSTEM_PUSHBUTTON, L"Нажать"},
  };
  ASSERT_GE(children.size(), std::size(graphics));
  for (std::size_t i = 0; i < std::size(graphics); ++i) {
    EXPECT_EQ(children[i].window, nullptr) << i;
    EXPECT_EQ(children[i].name, graphics[i].name);
    EXPECT_EQ(children[i].description, graphics[i].description);
    EXPECT_EQ(children[i].role, graphics[i].role) << i;
    EXPECT_EQ(children[i].defaultAction, graphics[i].defaultAction) << i;
    EXPECT_EQ(children[i].state, 0) << i;
  }
  std::vector<std::wstring> windows =
      Names({children.begin() + static_cast<std::ptrdiff_t>(std::size(graphics)), children.end()});
  std::vector<std::wstring> expectedWindows = {L"Использовать белый цвет", L"Использовать чёрный цвет",
                                               L"Использовать цвет фона", ToWide(ui::form1::PanelPrevName),
                                               ToWide(ui::form1::PanelLogoName)};
  for (const ModeTraits& traits : ModeTable) expectedWindows.push_back(ToWide(traits.panelCaption));
  std::sort(windows.begin(), windows.end());
  std::sort(expectedWindows.begin(), expectedWindows.end());
  EXPECT_EQ(windows, expectedWindows);

  // The mode panels are one group of radio buttons, the chosen mode's checked.
  for (const AccessibleChild& child : children) {
    const auto mode = std::find_if(ModeTable.begin(), ModeTable.end(),
                                   [&](const ModeTraits& m) { return ToWide(m.panelCaption) == child.name; });
    if (mode == ModeTable.end()) continue;
    EXPECT_EQ(child.role, ROLE_SYSTEM_RADIOBUTTON);
    EXPECT_EQ(child.state & STATE_SYSTEM_CHECKED, mode->mode == MixMode::x ? STATE_SYSTEM_CHECKED : 0);
    EXPECT_EQ(child.defaultAction, L"Выбрать");
  }

  // Each mode panel: its caption, which selects the mode, and its painter's hot key.
  for (const ModeTraits& traits : ModeTable) {
    const std::vector<AccessibleChild> labels = ChildrenOf(program_->Child(traits.panelCaption));
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].name, ToWide(traits.panelCaption));
    EXPECT_EQ(labels[0].role, ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(labels[0].defaultAction, L"Нажать");
    EXPECT_EQ(labels[1].name, ToWide(traits.hotKeyLabel));
  }

  // The previews: one for each mode, only the selected one visible.
  const std::vector<AccessibleChild> previews = ChildrenOf(program_->Child(ui::form1::PanelPrevName));
  ASSERT_EQ(previews.size(), ModeTable.size());
  for (std::size_t i = 0; i < previews.size(); ++i) {
    EXPECT_EQ(previews[i].name, L"Обои режима «" + ToWide(ModeTable[i].panelCaption) + L"»");
    EXPECT_EQ(previews[i].role, ROLE_SYSTEM_GRAPHIC);
    EXPECT_EQ(previews[i].state, ModeTable[i].mode == MixMode::x ? 0 : STATE_SYSTEM_INVISIBLE) << i;
  }

  // The splash logo is there, hidden once started.
  const std::vector<AccessibleChild> logo = ChildrenOf(program_->Child(ui::form1::PanelLogoName));
  ASSERT_EQ(logo.size(), 1u);
  EXPECT_EQ(logo[0].role, ROLE_SYSTEM_GRAPHIC);
  EXPECT_EQ(logo[0].name.substr(0, 8), L"Логотип:");
  EXPECT_EQ(logo[0].state, STATE_SYSTEM_INVISIBLE);
}

TEST_F(Accessibility, AModePanelIsChosenByItsDefaultActionAndToolsHearTheChange) {
  testing_support::StateChangeListener listener(program_->ProcessId());
  ASSERT_TRUE(listener.Listening());
  const HWND x = program_->Child(TraitsOf(MixMode::x).panelCaption);
  const HWND sharp = program_->Child(TraitsOf(MixMode::sharp).panelCaption);
  const auto panel = ClientObject(sharp);
  ASSERT_NE(panel, nullptr);
  ASSERT_EQ(panel->accDoDefaultAction(ChildId(CHILDID_SELF)), S_OK);

  const WallpaperValues applied{FromWide(copy_.File(ToWide(TraitsOf(MixMode::sharp).wallpaperFile))), u"1", u"0"};
  EXPECT_TRUE(Eventually([&] { return static_cast<bool>(applied.AreStored()); }));
  const std::vector<testing_support::StateChangeListener::Change> announced{{x, OBJID_CLIENT, CHILDID_SELF},
                                                                            {sharp, OBJID_CLIENT, CHILDID_SELF}};
  EXPECT_TRUE(Eventually([&] { return listener.Heard() == announced; })) << listener.Heard().size() << " heard";
  for (const auto& [window, isChecked] : {std::pair{x, false}, std::pair{sharp, true}}) {
    VARIANT state;
    V_VT(&state) = VT_EMPTY;
    ASSERT_EQ(ClientObject(window)->get_accState(ChildId(CHILDID_SELF), &state), S_OK);
    EXPECT_EQ((V_I4(&state) & STATE_SYSTEM_CHECKED) != 0, isChecked);
  }
}

// Anyone may post a message to the program's windows, the click message included, whose
// number any program gets by registering the same name: only clicks that the program's own
// accessibility objects asked for are run.
TEST_F(Accessibility, AClickMessagePostedByAnotherProgramDoesNothing) {
  const UINT registered = RegisterWindowMessageW(ui::ClickMessageName);
  ASSERT_NE(registered, 0u);
  const HWND no = program_->Child(TraitsOf(MixMode::no).panelCaption);
  // With the index of its caption and of its hot-key label.
  for (const UINT message : {registered, UINT{WM_APP}}) {
    for (const WPARAM index : {WPARAM{0}, WPARAM{1}}) PostMessageW(no, message, index, 0);
  }
  // A click asked for the right way comes after them and opens the fix confirmation: by then
  // the posted messages have been handled.
  const std::vector<AccessibleChild> children = ChildrenOf(program_->MainWindow());
  const auto fix = std::find_if(children.begin(), children.end(),
                                [](const AccessibleChild& child) { return child.name == L"Закрепить"; });
  ASSERT_NE(fix, children.end());
  ASSERT_EQ(ClientObject(program_->MainWindow())->accDoDefaultAction(ChildId(fix->id)), S_OK);
  const HWND confirm = program_->WaitForWindow(L"Confirm");
  ASSERT_NE(confirm, nullptr);
  EXPECT_TRUE(ModeXApplied(copy_).AreStored());
  PressDialogButton(confirm, IDNO);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(confirm); }));
}

TEST_F(Accessibility, TheDefaultActionOfAModeCaptionSelectsTheMode) {
  const ModeTraits& full = TraitsOf(MixMode::full);
  const auto panel = ClientObject(program_->Child(full.panelCaption));
  ASSERT_NE(panel, nullptr);
  ASSERT_EQ(panel->accDoDefaultAction(ChildId(1)), S_OK);

  const WallpaperValues applied{FromWide(copy_.File(ToWide(full.wallpaperFile))), u"1", u"0"};
  EXPECT_TRUE(Eventually([&] { return static_cast<bool>(applied.AreStored()); }));
  const std::vector<AccessibleChild> previews = ChildrenOf(program_->Child(ui::form1::PanelPrevName));
  ASSERT_EQ(previews.size(), ModeTable.size());
  EXPECT_EQ(previews[static_cast<int>(MixMode::full) - 1].state, 0);
  EXPECT_EQ(previews[static_cast<int>(MixMode::x) - 1].state, STATE_SYSTEM_INVISIBLE);
}

}  // namespace
}  // namespace ovelix::e2e
