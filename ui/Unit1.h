#pragma once

#include <windows.h>

#include <memory>

#include "core/mix_mode.h"
#include "desktop/recovery.h"
#include "ui/controls/check_box.h"
#include "ui/controls/graphic_control.h"
#include "ui/controls/hints.h"
#include "ui/controls/image_box.h"
#include "ui/controls/label.h"
#include "ui/controls/panel.h"
#include "ui/controls/speed_button.h"
#include "ui/controls/timer.h"
#include "ui/dpi.h"
#include "ui/gdi.h"
#include "ui/window.h"

namespace ovelix::ui {

class TWMRForm;

// The main window. Its methods are the design's event handlers and program steps; the
// work itself is done by the core (composition) and the desktop layer (system settings).
class TForm1 : public Window<TForm1>, public ControlHost {
 public:
  explicit TForm1(TWMRForm& donationDialog);
  ~TForm1() { DestroyHandle(); }

  // Creates the window with all its components, then runs FormCreate.
  void Create();

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Start-up and lifecycle.
  void FormCreate();
  void Timer_InitTimer();
  void FormClose();
  void WMQueryEndSession();
  void WMEndSession(bool ending);
  void BTN_FIXClick();

  // Program steps.
  void GetOld();
  void CreatePics();
  // Answers false only when the system refused the wallpaper found at start (mode `no`).
  bool SetPict(int mode);

  // Colour check boxes.
  void Check_UseWhiteClick();
  void Check_UseBlackClick();
  void Check_UseBackClick();

  // Mode selector.
  void Label_xClick();
  void Label_sharpClick();
  void Label_fullClick();
  void Label_noClick();

  // Screen painters.
  void Scr_MIX1();
  void Scr_MIX2();
  void Scr_FULL();
  void Scr_NO();

  // Hot keys.
  void Timer_HotKeysTimer();

  // Main menu.
  void MENU_DonateClick();
  void Menu_SiteClick();
  void MENU_HelpClick();
  void MENU_AboutClick();

 private:
  using Action = void (TForm1::*)();

  void CreateFonts();
  void CreateMenuBar();
  void CreateModeSelector();
  void CreateButtons();
  void CreateCheckBoxes();
  void CreateLogo();
  // Whether actions that change the wallpaper or the system colours may run: only once
  // start-up has read and recorded what it found, never after a failed start-up, and no
  // more once the close has put back what was found.
  bool DesktopMayChange() const { return stage_ == Stage::Running; }
  // Puts back the wallpaper found at start when this run recorded it; answers whether the
  // system took it (true when there was nothing to put back).
  bool PutBackWallpaper();
  void SelectMode(MixMode mode);
  static Action PainterAction(ScreenPainter painter);
  void ColourBoxClicked(CheckBox& box, int colorIndex);
  void Paint();

  TWMRForm& donationDialog_;
  Scale scale_;
  enum class Stage { Starting, Running, Failed, Ending };
  Stage stage_ = Stage::Starting;
  RecordOwnership record_ = RecordOwnership::None;
  // Whether the last session-end query put the wallpaper found at start back.
  bool wallpaperBackForSessionEnd_ = false;

  GdiObject<HFONT> windowFont_;
  GdiObject<HFONT> hintLabelFont_;
  GdiObject<HFONT> buttonFont_;

  HMENU MainMenu1 = nullptr;

  Panel Panel_x, Panel_sharp, Panel_full, Panel_no;
  Label Label_x, Label_sharp, Label_full, Label_no;
  Label Label11, Label18, Label19, Label21;
  Panel Panel_Prev;
  ImageBox Prev_x, Prev_sharp, Prev_full, Prev_no;
  SpeedButton BTN_FIX, BTN_SCR;
  Action btnScrAction_ = &TForm1::Scr_MIX1;  // rebound by the mode selector
  CheckBox Check_UseWhite, Check_UseBlack, Check_UseBack;
  Label LabelCtrlF5, LabelCtrlF6, LabelCtrlF7;
  Panel Panel_logo;
  ImageBox Image_logo;
  Timer Timer_Init, Timer_HotKeys;
  Hints hints_;
};

}  // namespace ovelix::ui
