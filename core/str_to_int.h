#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ovelix {

// Text to a signed 32-bit integer: leading blanks, one optional sign, then decimal digits,
// or hexadecimal digits after "$", "x", "X", "0x" or "0X". Nothing may follow the digits.
// A decimal value must fit in 32 signed bits; a hexadecimal one may be any 32-bit pattern.
std::optional<std::int32_t> TryStrToInt(std::u16string_view text);

// The same; fails with "'%s' is not a valid integer value".
std::int32_t StrToInt(std::u16string_view text);

}  // namespace ovelix
