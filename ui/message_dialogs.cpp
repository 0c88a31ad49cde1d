#include "ui/message_dialogs.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/platform/wide.h"
#include "ui/application.h"
#include "ui/gdi.h"

namespace ovelix::ui {

namespace {

int ShowSystemBox(std::u16string_view caption, std::u16string_view text, UINT flags) {
  return MessageBoxW(Application::Instance().DialogOwner(), ToWide(text).c_str(), ToWide(caption).c_str(),
                     flags | MB_SETFOREGROUND);
}

// An in-memory dialog template: the confirmation needs buttons captioned "&Yes" and "&No"
// whatever the system's language, with No as the cancel button, which no system message
// box offers. Controls get their final places in pixels once the dialog exists.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, std::u16string_view caption, WORD items) {
    Add<DWORD>(style);
    Add<DWORD>(0);  // extended style
    Add<WORD>(items);
    for (int i = 0; i < 4; ++i) Add<WORD>(0);  // x, y, cx, cy: set at WM_INITDIALOG
    Add<WORD>(0);                              // no menu
    Add<WORD>(0);                              // the predefined dialog class
    AddText(caption);
  }

  void AddItem(DWORD style, WORD id, WORD predefinedClass, std::u16string_view text) {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
    Add<DWORD>(style | WS_CHILD | WS_VISIBLE);
    Add<DWORD>(0);
    for (int i = 0; i < 4; ++i) Add<WORD>(0);
    Add<WORD>(id);
    Add<WORD>(0xFFFF);
    Add<WORD>(predefinedClass);
    AddText(text);
    Add<WORD>(0);  // no creation data
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  template <typename T>
  void Add(T value) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
    bytes_.insert(bytes_.end(), p, p + sizeof value);
  }
  void AddText(std::u16string_view text) {
    for (char16_t c : text) Add<WORD>(c);
    Add<WORD>(0);
  }

  std::vector<std::uint8_t> bytes_;
};

constexpr WORD ButtonClass = 0x0080;
constexpr WORD StaticClass = 0x0082;
constexpr WORD IconId = 100;
constexpr WORD TextId = 101;

struct ConfirmState {
  std::u16string_view text;
  GdiObject<HFONT> font;
};

void LayOutConfirmation(HWND dialog, ConfirmState& state) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  state.font = GdiObject<HFONT>(CreateFontIndirectW(&metrics.lfMessageFont));
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(state.font.Get()), FALSE);
  }

  const std::wstring text = ToWide(state.text);
  RECT textRect{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  {
    ScreenDc dc(GetDC(nullptr));
    SelectGuard select(dc.Get(), state.font.Get());
    DrawTextW(dc.Get(), text.c_str(), -1, &textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  }
  const int margin = 12;
  const int icon = GetSystemMetrics(SM_CXICON);
  const int buttonWidth = 75;
  const int buttonHeight = 25;
  const int buttonGap = 8;
  const int textLeft = margin + icon + margin;
  const int contentHeight = std::max<int>(icon, textRect.bottom);
  const int clientWidth = std::max<int>(textLeft + textRect.right + margin, 2 * buttonWidth + buttonGap + 2 * margin);
  const int clientHeight = margin + contentHeight + margin + buttonHeight + margin;

  SetWindowPos(GetDlgItem(dialog, IconId), nullptr, margin, margin, icon, icon, SWP_NOZORDER);
  SetWindowPos(GetDlgItem(dialog, TextId), nullptr, textLeft, margin + (contentHeight - textRect.bottom) / 2,
               textRect.right, textRect.bottom, SWP_NOZORDER);
  const int buttonsLeft = (clientWidth - (2 * buttonWidth + buttonGap)) / 2;
  const int buttonsTop = clientHeight - margin - buttonHeight;
  SetWindowPos(GetDlgItem(dialog, IDYES), nullptr, buttonsLeft, buttonsTop, buttonWidth, buttonHeight, SWP_NOZORDER);
  SetWindowPos(GetDlgItem(dialog, IDNO), nullptr, buttonsLeft + buttonWidth + buttonGap, buttonsTop, buttonWidth,
               buttonHeight, SWP_NOZORDER);
  SendDlgItemMessageW(dialog, IconId, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_QUESTION)), 0);

  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(dialog, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, 0);
}

INT_PTR CALLBACK ConfirmProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<ConfirmState*>(lParam);
      LayOutConfirmation(dialog, *state);
      SetFocus(GetDlgItem(dialog, IDYES));
      return FALSE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDYES: EndDialog(dialog, IDYES); return TRUE;
        case IDNO:
        case IDCANCEL: EndDialog(dialog, IDNO); return TRUE;
        default: return FALSE;
      }
    case WM_CLOSE: EndDialog(dialog, IDNO); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void ShowInformation(std::u16string_view text) { ShowSystemBox(Application::Instance().Title(), text, MB_OK); }

bool Confirm(std::u16string_view text) {
  DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, u"Confirm", 4);
  dialog.AddItem(SS_ICON, IconId, StaticClass, u"");
  dialog.AddItem(SS_LEFT | SS_NOPREFIX, TextId, StaticClass, text);
  dialog.AddItem(BS_DEFPUSHBUTTON | WS_TABSTOP, IDYES, ButtonClass, u"&Yes");
  dialog.AddItem(BS_PUSHBUTTON | WS_TABSTOP, IDNO, ButtonClass, u"&No");
  ConfirmState state{text, GdiObject<HFONT>()};
  const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(),
                                                 Application::Instance().DialogOwner(), &ConfirmProcedure,
                                                 reinterpret_cast<LPARAM>(&state));
  return answer == IDYES;
}

std::u16string ErrorBoxText(std::u16string_view message) {
  std::u16string text(message);
  if (!text.empty() && text.back() > u'.') text.push_back(u'.');
  return text;
}

void ShowErrorBox(std::u16string_view message) {
  ShowSystemBox(Application::Instance().Title(), ErrorBoxText(message), MB_OK | MB_ICONSTOP);
}

void ShowMessageBox(std::u16string_view caption, std::u16string_view text) { ShowSystemBox(caption, text, MB_OK); }

}  // namespace ovelix::ui
