#include "ui/dpi.h"

#include "ui/gdi.h"

namespace ovelix::ui {

Scale Scale::OfSystem() {
  ScreenDc screen(GetDC(nullptr));
  return Scale(GetDeviceCaps(screen.Get(), LOGPIXELSY));
}

}  // namespace ovelix::ui
