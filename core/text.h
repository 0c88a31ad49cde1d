#pragma once

#include <string>
#include <string_view>

namespace ovelix {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Replaces each "%s" of the pattern, in turn, by the next argument.
std::u16string FormatText(std::u16string_view pattern,
                          std::initializer_list<std::u16string_view> arguments);

std::u16string DecimalText(long long value);

// Equal but for the case of Latin and Cyrillic letters, as file names and extensions are
// compared.
bool SameText(std::u16string_view a, std::u16string_view b);

}  // namespace ovelix
