#include "core/str_to_int.h"

#include "core/error.h"
#include "core/text.h"

namespace ovelix {

namespace {

int DigitValue(char16_t c, int base) {
  int value = 16;
  if (c >= u'0' && c <= u'9') value = c - u'0';
  else if (c >= u'a' && c <= u'f') value = c - u'a' + 10;
  else if (c >= u'A' && c <= u'F') value = c - u'A' + 10;
  return value < base ? value : -1;
}

// The length of the hexadecimal prefix that the text starts with, 0 when none.
std::size_t HexPrefixLength(std::u16string_view text) {
  if (text.starts_with(u"0x") || text.starts_with(u"0X")) return 2;
  if (!text.empty() && (text[0] == u'$' || text[0] == u'x' || text[0] == u'X')) return 1;
  return 0;
}

}  // namespace

std::optional<std::int32_t> TryStrToInt(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';

  const std::size_t prefix = HexPrefixLength(text.substr(i));
  const int base = prefix != 0 ? 16 : 10;
  i += prefix;
  // The largest magnitude the form allows: any 32-bit pattern in hexadecimal, the signed
  // range in decimal.
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
  if (i == text.size()) return std::nullopt;
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (magnitude > limit) return std::nullopt;
  }
  const auto pattern = static_cast<std::uint32_t>(magnitude);
  return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
}

std::int32_t StrToInt(std::u16string_view text) {
  const std::optional<std::int32_t> value = TryStrToInt(text);
  if (!value) throw Error(FormatText(u"'%s' is not a valid integer value", {text}));
  return *value;
}

}  // namespace ovelix
