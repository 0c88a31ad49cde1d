#include "ui/fonts.h"

#include <algorithm>

namespace ovelix::ui {

GdiObject<HFONT> CreateDesignFont(const FontSpec& spec, const Scale& scale) {
  LOGFONTW font{};
  font.lfHeight = -scale(spec.height);  // negative: the character height, not the cell height
  font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = RUSSIAN_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  const auto length = std::min<std::size_t>(spec.face.size(), LF_FACESIZE - 1);
  std::copy_n(spec.face.data(), length, font.lfFaceName);
  return GdiObject<HFONT>(CreateFontIndirectW(&font));
}

}  // namespace ovelix::ui
