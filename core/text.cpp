#include "core/text.h"

#include <cstdint>

namespace ovelix {

namespace {

constexpr char32_t Replacement = 0xFFFD;

char16_t Lower(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + (u'a' - u'A'));
  if (c >= u'А' && c <= u'Я') return static_cast<char16_t>(c + (u'а' - u'А'));
  if (c == u'Ё') return u'ё';
  return c;
}

// Decodes one code point at text[i], advancing i; malformed input yields U+FFFD.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int length = 0;
  char32_t cp = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 1;
    cp = lead & 0x1Fu;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 2;
    cp = lead & 0x0Fu;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 3;
    cp = lead & 0x07u;
  } else {
    return Replacement;
  }
  for (int k = 0; k < length; ++k) {
    if (i >= text.size()) return Replacement;
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return Replacement;
    cp = (cp << 6) | (next & 0x3Fu);
    ++i;
  }
  static constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
  if (cp < smallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return Replacement;
  return cp;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const char32_t cp = DecodeUtf8(text, i);
    if (cp >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = Replacement;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::u16string FormatText(std::u16string_view pattern,
                          std::initializer_list<std::u16string_view> arguments) {
  std::u16string out;
  auto next = arguments.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u's' &&
        next != arguments.end()) {
      out += *next++;
      ++i;
    } else {
      out.push_back(pattern[i]);
    }
  }
  return out;
}

std::u16string DecimalText(long long value) {
  const bool negative = value < 0;
  // Work in unsigned so that the smallest value has a magnitude too.
  unsigned long long magnitude =
      negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) digits.insert(digits.begin(), u'-');
  return digits;
}

bool SameText(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

}  // namespace ovelix
