#include "ui/WMR.h"

#include "core/platform/wide.h"
#include "desktop/shell_open.h"
#include "ui/application.h"
#include "ui/fonts.h"
#include "ui/links.h"
#include "ui/message_dialogs.h"
#include "ui/resource_ids.h"
#include "ui/resource_pictures.h"
#include "ui/window_placement.h"
#include "ui/wmr_layout.h"

namespace ovelix::ui {

TWMRForm::TWMRForm() : scale_(Scale::OfSystem()) {}

void TWMRForm::Create() {
  font_ = CreateDesignFont(PlainFont, scale_);
  white_ = GdiObject<HBRUSH>(CreateSolidBrush(RGB(255, 255, 255)));

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
  const wchar_t* className = RegisterWindowClass(L"TWMRForm");
  CreateHandle(exStyle, className, L"Пожертвования", style,
               FrameFor({scale_(wmr::ClientSize.cx), scale_(wmr::ClientSize.cy)}, style, exStyle, false),
               Application::Instance().Handle());
  AttachHost(Handle());
  hints_.Create(Handle());

  AddGraphic(Bevel1);
  Bevel1.SetBounds(scale_(wmr::Bevel1));
  Bevel1.SetName(u"Способы пожертвования");
  const struct {
    ImageBox& image;
    const RECT& bounds;
    int picture;
    std::u16string_view name;
  } images[] = {
      {Image1, wmr::Image1, IDB_DONATE_WEBMONEY, u"Пожертвовать через кошелёк WebMoney"},
      {Image2, wmr::Image2, IDB_DONATE_SMS, u"Пожертвовать по SMS"},
      {Image3, wmr::Image3, IDB_DONATE_BANNER, u"Спасибо за поддержку!"},
  };
  for (const auto& i : images) {
    i.image.Create(*this, scale_(i.bounds), ImageFit::Stretch);
    i.image.SetPicture(LoadResourcePicture(i.picture));
    i.image.SetName(std::u16string(i.name));
  }
  const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  Image1.SetCursor(hand);
  Image1.SetOnClick([this] { Image1Click(); });
  hints_.Add(*this, Image1, u"Это можно сделать даже из автомата оплаты сотовой связи!");
  Image2.SetCursor(hand);
  Image2.SetOnClick([this] { Image2Click(); });
  hints_.Add(*this, Image2, u"Просто, но неэффективно. Жадюги-операторы заберут себе 2/3 от всей суммы...");

  const RECT edit = scale_(wmr::Edit1);
  Edit1 = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_READONLY, edit.left, edit.top,
                          edit.right - edit.left, edit.bottom - edit.top, Handle(), nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  if (Edit1 == nullptr) ThrowSystemError(GetLastError());
  SendMessageW(Edit1, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  edit1Host_.Attach(Edit1);
  hints_.Add(edit1Host_, u"Это номерок моего кошелька");
  FormCreate();
}

void TWMRForm::FormCreate() { SetWindowTextW(Edit1, ToWide(WebMoneyPurse).c_str()); }

void TWMRForm::Show() {
  if (!IsWindowVisible(Handle())) {
    RECT bounds;
    GetWindowRect(Handle(), &bounds);
    const RECT centred = CentredOnDesktop(bounds);
    SetWindowPos(Handle(), nullptr, centred.left, centred.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
}

void TWMRForm::Image1Click() {
  LaunchLink(Handle(), std::u16string(u"wmk:payto?purse=") + std::u16string(WebMoneyPurse) +
                           u"&BringToFront=Y&Desc=Спасибо!");
  ShowInformation(
      u"Сейчас будет запущен WebMoney Keeper Classic... Если у вас его нет, запишите мой номерок и положите на "
      u"него денюжку в ближайшем автомате оплаты услуг связи. СПАСИБО)))");
}

void TWMRForm::Image2Click() {
  LaunchLink(Handle(), std::u16string(SmsDonationService) + u"?info&id=" + std::u16string(SmsDonationAccount));
}

void TWMRForm::Paint() {
  PaintScope paint(Handle());
  BackBuffer buffer(paint.Dc(), paint.Dirty());
  FillRect(buffer.Dc(), &paint.Dirty(), white_.Get());
  PaintGraphics(buffer.Dc(), paint.Dirty());
}

LRESULT TWMRForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleGraphicMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(); return 0;
    case WM_CTLCOLORSTATIC:  // the read-only purse field, on the dialog's white
      if (reinterpret_cast<HWND>(lParam) == Edit1) {
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(white_.Get());
      }
      break;
    case WM_CLOSE: ShowWindow(Handle(), SW_HIDE); return 0;
    default: break;
  }
  return DefaultProcedure(message, wParam, lParam);
}

}  // namespace ovelix::ui
