#include "core/old_rec.h"

#include <utility>

#include "core/str_to_int.h"

namespace ovelix {

TOldRec OldRec;

std::uint8_t TileOf(std::u16string_view tileText) { return static_cast<std::uint8_t>(StrToInt(tileText)); }

bool StretchedOf(std::u16string_view styleText) { return StrToInt(styleText) == StretchedStyle; }

void TOldRec::SetTile(std::u16string text) {
  Tile = TileOf(text);
  TileText = std::move(text);
}

void TOldRec::SetStyle(std::u16string text) {
  Stretched = StretchedOf(text);
  StyleText = std::move(text);
}

}  // namespace ovelix
