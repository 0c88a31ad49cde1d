#include "desktop/system_colors.h"

#include <windows.h>

namespace ovelix {

static_assert(SavedSystemColors[0].index == COLOR_WINDOW);
static_assert(SavedSystemColors[1].index == COLOR_WINDOWTEXT);
static_assert(SavedSystemColors[2].index == COLOR_BTNFACE);

namespace {

void SetSystemColor(int index, Color color) {
  const COLORREF value = color;
  SetSysColors(1, &index, &value);
}

}  // namespace

Color CurrentSystemColor(int index) { return GetSysColor(index); }

void ReplaceSystemColor(int index) { SetSystemColor(index, KeyColor); }

void RestoreSystemColor(int index, const TOldRec& rec) {
  for (const SavedSystemColor& color : SavedSystemColors) {
    if (color.index == index && rec.Has(color.field)) SetSystemColor(index, rec.*color.saved);
  }
}

}  // namespace ovelix
