#pragma once

// The main window's design: every place and size in 96-DPI client pixels, scaled in one
// place (Scale) when the window is made.

#include <windows.h>

#include <string_view>

#include "ui/dpi.h"

namespace ovelix::ui::form1 {

inline constexpr SIZE ClientSize{334, 264};

// Control identifiers; 1 and 2 are left out, they stand for OK and Cancel in dialogs.
enum ControlId : int {
  IdCheckUseWhite = 100,
  IdCheckUseBlack,
  IdCheckUseBack,
};

// The three colour check boxes, in tab order, and their hot-key labels.
inline constexpr RECT CheckUseWhite = Bounds(60, 196, 185, 17);
inline constexpr RECT CheckUseBlack = Bounds(60, 216, 185, 17);
inline constexpr RECT CheckUseBack = Bounds(60, 236, 185, 17);
inline constexpr POINT LabelCtrlF5{268, 200};
inline constexpr POINT LabelCtrlF6{268, 220};
inline constexpr POINT LabelCtrlF7{268, 240};

// The mode panels (their left edge moves: 8 when selected, 4 otherwise) and their labels,
// relative to the panel.
inline constexpr SIZE ModePanelSize{113, 41};
inline constexpr int SelectedPanelLeft = 8;
inline constexpr int OtherPanelLeft = 4;
inline constexpr int ModePanelTops[4] = {4, 52, 100, 148};
inline constexpr POINT CaptionLabelOrigins[4] = {{8, 4}, {8, 4}, {20, 4}, {20, 4}};
inline constexpr POINT HotKeyLabelOrigins[4] = {{56, 20}, {52, 20}, {52, 20}, {52, 20}};

inline constexpr RECT PanelPrev = Bounds(120, 4, 210, 160);
inline constexpr std::u16string_view PanelPrevName = u"Просмотр обоев";
inline constexpr RECT PreviewBox = Bounds(2, 2, 206, 156);  // inside Panel_Prev

inline constexpr RECT BtnFix = Bounds(120, 164, 105, 25);
inline constexpr RECT BtnScr = Bounds(224, 164, 106, 25);

// The splash logo: designed outside the visible area, moved over the controls at creation.
inline constexpr POINT PanelLogoDesign{684, 256};
inline constexpr RECT ImageLogo = Bounds(1, 1, 334, 256);  // inside Panel_logo
inline constexpr std::u16string_view PanelLogoName = u"Заставка";

}  // namespace ovelix::ui::form1

namespace ovelix::ui::form1 {

// Caption label colours of the mode panels, in mode order.
inline constexpr unsigned CaptionLabelColors[4] = {0x00008000, 0x00008000, 0x000066CC, 0x00FF8000};

inline constexpr unsigned BtnFixFontColor = 0x0063521F;
inline constexpr unsigned BtnScrFontColor = 0x001F3863;

}  // namespace ovelix::ui::form1
