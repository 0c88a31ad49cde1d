#include "ui/Unit1.h"

#include <iterator>

#include "core/bmp_file.h"
#include "core/compose.h"
#include "core/solid_picture.h"
#include "core/mix_mode.h"
#include "core/old_rec.h"
#include "core/platform/file_system.h"
#include "core/platform/wide.h"
#include "core/program_folder.h"
#include "core/error.h"
#include "desktop/screen_painter.h"
#include "desktop/shell_open.h"
#include "desktop/system_colors.h"
#include "desktop/wallpaper_settings.h"
#include "ui/application.h"
#include "ui/form1_layout.h"
#include "ui/fonts.h"
#include "ui/hot_keys.h"
#include "ui/message_dialogs.h"
#include "ui/resource_pictures.h"
#include "ui/resource_ids.h"
#include "ui/WMR.h"
#include "ui/window_placement.h"
#include "ui/links.h"

namespace ovelix::ui {

namespace {

constexpr UINT_PTR TimerInitId = 1;
constexpr UINT_PTR TimerHotKeysId = 2;

enum MenuId : UINT {
  IdN3 = 200,
  IdN4,
  IdMenuDonate,
  IdMenuSite,
  IdMenuHelp,
  IdMenuSite2,
  IdMenuAbout,
};

constexpr FontSpec ButtonFont{L"Times New Roman", 13, false};

const std::u16string_view Caption =
    u"Зераска - 2. Спасибо всем, кто помогал и поддерживал. "
    u"Родителям, всем, кого я знаю, и так далее и тому подобное...";

HCURSOR HandCursor() { return LoadCursorW(nullptr, IDC_HAND); }

// Shown once at close when the system would not take the user's wallpaper back.
std::u16string NotPutBackText(std::u16string_view wallpaper) {
  return u"Не удалось вернуть ваш фоновый рисунок \"" + std::u16string(wallpaper) +
         u"\": Windows отказалась его установить. Он записан в настройки рабочего стола и появится "
         u"при следующем входе в систему, когда файл будет доступен. При следующем запуске программа "
         u"попробует вернуть его ещё раз.";
}

// The mode panels' click handlers, in mode order.
constexpr void (TForm1::*ModeHandlers[])() = {&TForm1::Label_xClick, &TForm1::Label_sharpClick,
                                              &TForm1::Label_fullClick, &TForm1::Label_noClick};
constexpr int ModeCount = static_cast<int>(std::size(ModeHandlers));

}  // namespace

TForm1::TForm1(TWMRForm& donationDialog) : donationDialog_(donationDialog), scale_(Scale::OfSystem()) {}

void TForm1::Create() {
  CreateFonts();
  CreateMenuBar();

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_TOPMOST;
  const RECT bounds = CentredOnDesktop(
      FrameFor({scale_(form1::ClientSize.cx), scale_(form1::ClientSize.cy)}, style, exStyle, true));
  const wchar_t* className = RegisterWindowClass(L"TForm1", CS_DBLCLKS, nullptr,
                                                 LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM)));
  CreateHandle(exStyle, className, ToWide(Caption).c_str(), style, bounds, Application::Instance().Handle(),
               MainMenu1);
  AttachHost(Handle());
  hints_.Create(Handle());

  // Creation order is tab order: the check boxes first, the logo last.
  CreateCheckBoxes();
  CreateModeSelector();
  CreateButtons();
  CreateLogo();

  // Focus cues show as the system's setting and the last input say, as in a dialog.
  SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);

  Timer_Init.Create(Handle(), TimerInitId, 10, [this] { Timer_InitTimer(); });
  Timer_HotKeys.Create(Handle(), TimerHotKeysId, hot_keys::TickMs, [this] { Timer_HotKeysTimer(); });
  FormCreate();
}

void TForm1::CreateFonts() {
  windowFont_ = CreateDesignFont(WindowFont, scale_);
  hintLabelFont_ = CreateDesignFont(PlainFont, scale_);
  buttonFont_ = CreateDesignFont(ButtonFont, scale_);
}

void TForm1::CreateMenuBar() {
  MainMenu1 = CreateMenu();
  HMENU N1 = CreatePopupMenu();
  AppendMenuW(N1, MF_STRING, IdN3, L"Оставить эти обои и выйти");
  AppendMenuW(N1, MF_STRING, IdN4, L"Выход");
  HMENU N2 = CreatePopupMenu();
  AppendMenuW(N2, MF_STRING, IdMenuDonate, L"Пожертвования");
  AppendMenuW(N2, MF_STRING, IdMenuSite, L"Домашняя страничка");
  AppendMenuW(N2, MF_STRING, IdMenuHelp, L"Руководство пользователя");
  AppendMenuW(N2, MF_STRING, IdMenuSite2, L"Сходить за обновлениями");
  AppendMenuW(N2, MF_STRING, IdMenuAbout, L"О программе");
  AppendMenuW(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(N1), L"Файл");
  AppendMenuW(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(N2), L"Справка");
}

void TForm1::CreateCheckBoxes() {
  const struct {
    CheckBox& box;
    const RECT& bounds;
    std::u16string_view caption;
    int id;
    void (TForm1::*handler)();
  } boxes[] = {
      {Check_UseWhite, form1::CheckUseWhite, u"Использовать белый цвет", form1::IdCheckUseWhite,
       &TForm1::Check_UseWhiteClick},
      {Check_UseBlack, form1::CheckUseBlack, u"Использовать чёрный цвет", form1::IdCheckUseBlack,
       &TForm1::Check_UseBlackClick},
      {Check_UseBack, form1::CheckUseBack, u"Использовать цвет фона", form1::IdCheckUseBack,
       &TForm1::Check_UseBackClick},
  };
  for (const auto& b : boxes) {
    b.box.Create(Handle(), scale_(b.bounds), b.caption, windowFont_.Get(), b.id);
    b.box.SetFontColor(WindowFontColor);
    b.box.SetOnClick([this, handler = b.handler] { (this->*handler)(); });
  }
  const struct {
    Label& label;
    POINT origin;
    std::u16string_view text;
  } labels[] = {
      {LabelCtrlF5, form1::LabelCtrlF5, u"Ctrl + F5"},
      {LabelCtrlF6, form1::LabelCtrlF6, u"Ctrl + F6"},
      {LabelCtrlF7, form1::LabelCtrlF7, u"Ctrl + F7"},
  };
  for (const auto& l : labels) {
    l.label.Create(*this, {scale_(l.origin.x), scale_(l.origin.y)}, std::u16string(l.text), hintLabelFont_.Get(),
                   HintLabelColor);
  }
}

void TForm1::CreateModeSelector() {
  Panel_Prev.Create(Handle(), scale_(form1::PanelPrev), form1::PanelPrevName, PanelBevel::Etched, nullptr);
  ImageBox* previews[] = {&Prev_x, &Prev_sharp, &Prev_full, &Prev_no};
  for (std::size_t i = 0; i < std::size(previews); ++i) {
    previews[i]->Create(Panel_Prev, scale_(form1::PreviewBox), ImageFit::Proportional);
    previews[i]->SetVisible(i == 0);
    previews[i]->SetName(u"Обои режима «" + std::u16string(ModeTable[i].panelCaption) + u"»");
  }
  Prev_full.SetPicture(ReadBmpBytes(SolidPictureBytes(), ScreenColorDepth()));

  Panel* panels[] = {&Panel_x, &Panel_sharp, &Panel_full, &Panel_no};
  Label* captions[] = {&Label_x, &Label_sharp, &Label_full, &Label_no};
  Label* hotKeys[] = {&Label11, &Label18, &Label19, &Label21};
  for (int i = 0; i < ModeCount; ++i) {
    const ModeTraits& traits = ModeTable[static_cast<std::size_t>(i)];
    const bool selected = traits.mode == MixMode::x;
    const int left = selected ? form1::SelectedPanelLeft : form1::OtherPanelLeft;
    panels[i]->Create(Handle(), scale_(Bounds(left, form1::ModePanelTops[i], form1::ModePanelSize.cx,
                                              form1::ModePanelSize.cy)),
                      traits.panelCaption, PanelBevel::Etched, HandCursor());
    const auto click = [this, handler = ModeHandlers[i]] { (this->*handler)(); };
    panels[i]->SetOnClick(click);
    // The keyboard chooses the previous or next mode, round the group, as its click would.
    panels[i]->MakeRadio([this, i](int step) { (this->*ModeHandlers[(i + ModeCount + step) % ModeCount])(); });
    panels[i]->SetChecked(selected);
    const POINT caption = form1::CaptionLabelOrigins[i];
    captions[i]->Create(*panels[i], {scale_(caption.x), scale_(caption.y)}, std::u16string(traits.panelCaption),
                        windowFont_.Get(), form1::CaptionLabelColors[i]);
    const POINT hotKey = form1::HotKeyLabelOrigins[i];
    hotKeys[i]->Create(*panels[i], {scale_(hotKey.x), scale_(hotKey.y)}, std::u16string(traits.hotKeyLabel),
                       hintLabelFont_.Get(), HintLabelColor);
    for (Label* label : {captions[i], hotKeys[i]}) {
      label->SetCursor(HandCursor());
      label->SetOnClick(click);
    }
  }
}

void TForm1::CreateButtons() {
  BTN_FIX.Create(*this, scale_(form1::BtnFix), u"Закрепить", buttonFont_.Get(), form1::BtnFixFontColor, scale_);
  BTN_FIX.SetGlyph(LoadResourcePicture(IDB_FIX_GLYPH));
  BTN_FIX.SetCursor(HandCursor());
  BTN_FIX.SetOnClick([this] { BTN_FIXClick(); });
  hints_.Add(*this, BTN_FIX, u"Оставить картинку в качестве постоянных обоев");

  BTN_SCR.Create(*this, scale_(form1::BtnScr), u"На весь экран", buttonFont_.Get(), form1::BtnScrFontColor, scale_);
  BTN_SCR.SetCursor(HandCursor());
  BTN_SCR.SetOnClick([this] {
    if (DesktopMayChange()) (this->*btnScrAction_)();
  });
  hints_.Add(*this, BTN_SCR, u"Наложить видео на весь экран");
}

void TForm1::CreateLogo() {
  const RECT image = form1::ImageLogo;
  // The panel sizes itself to its picture, with the picture's offset kept on every side.
  const RECT panel = Bounds(form1::PanelLogoDesign.x, form1::PanelLogoDesign.y, image.right + image.left,
                            image.bottom + image.top);
  Panel_logo.Create(Handle(), scale_(panel), form1::PanelLogoName, PanelBevel::Raised, nullptr);
  Image_logo.Create(Panel_logo, scale_(image), ImageFit::Stretch);
  Image_logo.SetPicture(LoadResourcePicture(IDB_LOGO));
  Image_logo.SetName(u"Логотип: Зераска 2.1 — видео сквозь рабочий стол");
  // The topmost control, over all the others.
  SetWindowPos(Panel_logo.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm1::FormCreate() {
  Application::Instance().SetTitle(u"Ovelix");
  Panel_logo.MoveTo(0, 0);
}

void TForm1::Timer_InitTimer() {
  Timer_Init.SetEnabled(false);  // first, so that a failure below cannot make it run again
  stage_ = Stage::Failed;        // unless every step below runs
  GetOld();
  CreatePics();
  SetPict(static_cast<int>(MixMode::x));
  Panel_logo.SetVisible(false);
  stage_ = Stage::Running;
}

bool TForm1::PutBackWallpaper() {
  // A run that recorded nothing changed nothing.
  return record_ == RecordOwnership::None || SetPict(static_cast<int>(MixMode::no));
}

void TForm1::FormClose() {
  const bool back = PutBackWallpaper();
  // What was found is back (or written where the next sign-in reads it): nothing may change
  // the desktop again, not even a hot key while the message below is up.
  stage_ = Stage::Ending;
  // The record stays until what it protects is back: the next start tries again.
  if (back && record_ != RecordOwnership::None) {
    DropRecord();
    record_ = RecordOwnership::None;
  }
  Check_UseWhite.SetChecked(false);
  Check_UseBlack.SetChecked(false);
  Check_UseBack.SetChecked(false);
  if (!back) ShowInformation(NotPutBackText(OldRec.Wallpaper));
  DestroyWindow(Handle());
}

void TForm1::WMQueryEndSession() {
  // The session is ending: an error box would hold it up, and the user could not act on it.
  // Where the wallpaper did not come back, the record stays for the next start.
  try {
    wallpaperBackForSessionEnd_ = PutBackWallpaper();
  } catch (...) {
    wallpaperBackForSessionEnd_ = false;
  }
}

void TForm1::WMEndSession(bool ending) {
  if (!ending) return;  // someone refused: the program goes on
  if (wallpaperBackForSessionEnd_ && record_ != RecordOwnership::None) DropRecord();
  DestroyWindow(Handle());
}

void TForm1::BTN_FIXClick() {
  if (!DesktopMayChange()) return;
  if (!Confirm(u"Хотите оставить эту картинку и выйти?")) return;
  // Ends the program as it is: nothing is put back, and the next start takes the wallpaper
  // kept as the user's own.
  DropRecord();
  DestroyWindow(Handle());
}

void TForm1::GetOld() {
  ovelix::GetOld(OldRec);
  record_ = RecoverOrRecord(OldRec, ProgramFolder());
}

void TForm1::CreatePics() {
  ComposeInputs inputs;
  inputs.wallpaper = OldRec.Wallpaper;
  // The system's copy as found: by now the file may hold its copy of a picture of ours.
  if (OldRec.ThemesCopy) inputs.keptWallpaper = &*OldRec.ThemesCopy;
  inputs.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  inputs.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  inputs.desktop = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  inputs.colorDepth = ScreenColorDepth();
  inputs.programFolder = ProgramFolder();
  inputs.solidPicture = Prev_full.HeldPicture();
  inputs.showMessage = [](const std::u16string& text) { ShowInformation(text); };
  ComposeResults results;
  // Whatever was composed before a failure still reaches the previews.
  struct Deliver {
    TForm1& form;
    ComposeResults& results;
    ~Deliver() {
      form.Prev_x.SetPicture(std::move(results.previewX));
      form.Prev_sharp.SetPicture(std::move(results.previewSharp));
      form.Prev_no.SetGraphic(std::move(results.previewNo));
    }
  } deliver{*this, results};
  ovelix::CreatePics(inputs, results);
}

bool TForm1::SetPict(int mode) { return ovelix::SetPict(mode, OldRec, ProgramFolder()); }

void TForm1::ColourBoxClicked(CheckBox& box, int colorIndex) {
  if (box.Checked()) {
    ReplaceSystemColor(colorIndex);
    box.SetFontColor(CheckedFontColor);
  } else {
    RestoreSystemColor(colorIndex, OldRec);
    box.SetFontColor(WindowFontColor);
  }
}

void TForm1::Check_UseWhiteClick() { ColourBoxClicked(Check_UseWhite, COLOR_WINDOW); }
void TForm1::Check_UseBlackClick() { ColourBoxClicked(Check_UseBlack, COLOR_WINDOWTEXT); }
void TForm1::Check_UseBackClick() { ColourBoxClicked(Check_UseBack, COLOR_BTNFACE); }

void TForm1::SelectMode(MixMode mode) {
  if (!DesktopMayChange()) return;
  const int index = static_cast<int>(mode) - 1;
  ImageBox* previews[] = {&Prev_x, &Prev_sharp, &Prev_full, &Prev_no};
  for (int i = 0; i < 4; ++i) previews[i]->SetVisible(i == index);
  Panel* panels[] = {&Panel_x, &Panel_sharp, &Panel_full, &Panel_no};
  const HWND focus = GetFocus();
  bool groupHasFocus = false;
  for (int i = 0; i < 4; ++i) {
    panels[i]->MoveTo(scale_(i == index ? form1::SelectedPanelLeft : form1::OtherPanelLeft),
                      scale_(form1::ModePanelTops[i]));
    panels[i]->SetChecked(i == index);
    groupHasFocus = groupHasFocus || focus == panels[i]->Handle();
  }
  // Within the group, the focus follows the choice.
  if (groupHasFocus) SetFocus(panels[index]->Handle());
  if (!SetPict(static_cast<int>(mode))) throw Error(RefusedWallpaperText(OldRec.Wallpaper));
  btnScrAction_ = PainterAction(TraitsOf(mode).painter);
}

TForm1::Action TForm1::PainterAction(ScreenPainter painter) {
  constexpr Action painters[] = {&TForm1::Scr_MIX1, &TForm1::Scr_MIX2, &TForm1::Scr_FULL, &TForm1::Scr_NO};
  return painters[static_cast<int>(painter)];
}

void TForm1::Label_xClick() { SelectMode(MixMode::x); }
void TForm1::Label_sharpClick() { SelectMode(MixMode::sharp); }
void TForm1::Label_fullClick() { SelectMode(MixMode::full); }
void TForm1::Label_noClick() { SelectMode(MixMode::no); }

void TForm1::Scr_MIX1() { PaintScreen(MixMode::x); }
void TForm1::Scr_MIX2() { PaintScreen(MixMode::sharp); }
void TForm1::Scr_FULL() { PaintScreen(MixMode::full); }
void TForm1::Scr_NO() { RepaintEverything(); }

void TForm1::Timer_HotKeysTimer() {
  if (!DesktopMayChange()) return;
  if ((GetKeyState(VK_CONTROL) & 0x8000) == 0) return;
  CheckBox* boxes[] = {&Check_UseWhite, &Check_UseBlack, &Check_UseBack};
  for (std::size_t i = 0; i < std::size(boxes); ++i) {
    if ((GetKeyState(hot_keys::ToggleKeys[i]) & 0x8000) == 0) continue;
    boxes[i]->SetChecked(!boxes[i]->Checked());
    Sleep(hot_keys::TogglePauseMs);
  }
  for (const ModeTraits& traits : ModeTable) {
    if ((GetKeyState(traits.hotKey) & 0x8000) != 0) (this->*PainterAction(traits.painter))();
  }
}

void TForm1::MENU_DonateClick() { donationDialog_.Show(); }

void TForm1::Menu_SiteClick() { ShellOpen(HomePageUrl, true); }

void TForm1::MENU_HelpClick() {
  const std::u16string help = ProgramFolder() + u"Help.chm";
  if (FileExists(help)) {
    ShellOpen(help, true);
  } else {
    // Hidden for the rest of the run, without a word.
    DeleteMenu(MainMenu1, IdMenuHelp, MF_BYCOMMAND);
    DrawMenuBar(Handle());
  }
}

void TForm1::MENU_AboutClick() {
  ShowMessageBox(u"О программе", std::u16string(10, u' ') + u"Зераска 2.1\r" + std::u16string(AboutAuthorLine));
}

void TForm1::Paint() {
  PaintScope paint(Handle());
  BackBuffer buffer(paint.Dc(), paint.Dirty());
  FillRect(buffer.Dc(), &paint.Dirty(), GetSysColorBrush(COLOR_BTNFACE));
  PaintGraphics(buffer.Dc(), paint.Dirty());
}

LRESULT TForm1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleGraphicMessage(message, wParam, lParam, result)) return result;
  CheckBox* boxes[] = {&Check_UseWhite, &Check_UseBlack, &Check_UseBack};
  switch (message) {
    case WM_ERASEBKGND: return TRUE;  // Paint covers the whole client area
    case WM_PAINT: Paint(); return 0;
    case WM_TIMER:
      for (Timer* timer : {&Timer_Init, &Timer_HotKeys}) {
        if (timer->Id() == wParam) timer->OnTimer();
      }
      return 0;
    case WM_COMMAND:
      for (CheckBox* box : boxes) {
        if (reinterpret_cast<HWND>(lParam) == box->Handle() && box->Handle() != nullptr) {
          if (DesktopMayChange()) box->OnCommand(HIWORD(wParam));
          return 0;
        }
      }
      switch (LOWORD(wParam)) {
        case IdMenuDonate: MENU_DonateClick(); return 0;
        case IdMenuSite:
        case IdMenuSite2: Menu_SiteClick(); return 0;
        case IdMenuHelp: MENU_HelpClick(); return 0;
        case IdMenuAbout: MENU_AboutClick(); return 0;
        case IdN3: BTN_FIXClick(); return 0;
        case IdN4: FormClose(); return 0;
        default: return 0;
      }
    case WM_CTLCOLORSTATIC:
      for (CheckBox* box : boxes) {
        if (reinterpret_cast<HWND>(lParam) == box->Handle()) {
          return reinterpret_cast<LRESULT>(box->OnColor(reinterpret_cast<HDC>(wParam)));
        }
      }
      break;
    case WM_SETCURSOR:
      for (CheckBox* box : boxes) {
        if (reinterpret_cast<HWND>(wParam) == box->Handle()) {
          SetCursor(HandCursor());
          return TRUE;
        }
      }
      break;
    case WM_SYSCOMMAND:
      // The application window carries the task-bar button, so it is what minimises.
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        ShowWindow(Application::Instance().Handle(), SW_MINIMIZE);
        return 0;
      }
      // Ctrl+F10 is a hot key here: F10 must not also open the menu bar.
      if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0 && (GetKeyState(VK_CONTROL) & 0x8000) != 0) return 0;
      break;
    case WM_CLOSE: FormClose(); return 0;
    case WM_QUERYENDSESSION:
      WMQueryEndSession();
      return TRUE;  // never hold up the end of a session
    case WM_ENDSESSION: WMEndSession(wParam != FALSE); return 0;
    case WM_DESTROY:
      Timer_Init.SetEnabled(false);
      Timer_HotKeys.SetEnabled(false);
      PostQuitMessage(0);
      return 0;
    default: break;
  }
  return DefaultProcedure(message, wParam, lParam);
}

}  // namespace ovelix::ui
