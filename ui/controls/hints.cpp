#include "ui/controls/hints.h"

#include <commctrl.h>

#include <string>

#include "core/platform/system_library.h"
#include "core/platform/wide.h"
#include "ui/window.h"

namespace ovelix::ui {

namespace {

// The tooltip class is registered by the common controls. The manifest asks for no version 6
// of them (themed check boxes would ignore our text colours), so no side-by-side assembly
// supplies them and no window class of ours is redirected to one: the system folder's copy,
// version 5.8, is the one the program has always used.
void RegisterTooltipClass() {
  static const auto initialize =
      LibraryFunction<decltype(InitCommonControlsEx)>(LoadSystemLibrary(L"comctl32.dll"), "InitCommonControlsEx");
  if (initialize == nullptr) return;  // creating the tooltip then fails with the system's reason
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
  initialize(&classes);
}

}  // namespace

void Hints::Create(HWND owner) {
  RegisterTooltipClass();
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (tooltip_ == nullptr) ThrowSystemError(GetLastError());
}

Hints::~Hints() {
  if (tooltip_ != nullptr) DestroyWindow(tooltip_);
}

void Hints::Add(ControlHost& host, GraphicControl& control, const std::u16string& text) {
  AddTool(host.HostHandle(), control.Bounds(), text);
  control.SetDescription(text);
}

void Hints::Add(ControlHost& host, const std::u16string& text) {
  RECT client;
  GetClientRect(host.HostHandle(), &client);
  AddTool(host.HostHandle(), client, text);
  host.SetOwnDescription(text);
}

void Hints::AddTool(HWND window, const RECT& area, const std::u16string& text) {
  std::wstring wide = ToWide(text);
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the common controls
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = window;
  tool.uId = nextId_++;
  tool.rect = area;
  tool.lpszText = wide.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace ovelix::ui
