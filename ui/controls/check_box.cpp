#include "ui/controls/check_box.h"

#include "core/platform/wide.h"
#include "ui/window.h"

namespace ovelix::ui {

void CheckBox::Create(HWND parent, const RECT& bounds, std::u16string_view caption, HFONT font, int id) {
  handle_ = CreateWindowExW(0, L"BUTTON", ToWide(caption).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_CHECKBOX, bounds.left,
                            bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (handle_ == nullptr) ThrowSystemError(GetLastError());
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void CheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  SendMessageW(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (onClick_) onClick_();
}

void CheckBox::SetFontColor(Color color) {
  fontColor_ = color;
  InvalidateRect(handle_, nullptr, TRUE);
}

void CheckBox::OnCommand(WORD notification) {
  if (notification == BN_CLICKED) SetChecked(!checked_);
}

HBRUSH CheckBox::OnColor(HDC dc) const {
  SetTextColor(dc, fontColor_);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace ovelix::ui
