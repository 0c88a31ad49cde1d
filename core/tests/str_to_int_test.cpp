#include <gtest/gtest.h>

#include <optional>

#include "core/error.h"
#include "core/str_to_int.h"
#include "core/text.h"

namespace ovelix {
namespace {

struct Case {
  std::u16string_view text;
  std::optional<std::int32_t> value;  // nullopt: the text is no integer
};

constexpr std::int32_t Min32 = -2147483647 - 1;

const Case Cases[] = {
    {u"0", 0},
    {u"1", 1},
    {u"2", 2},
    {u"007", 7},
    {u"   42", 42},
    {u"+5", 5},
    {u"-5", -5},
    {u"  -5", -5},
    {u"2147483647", 2147483647},
    {u"-2147483648", Min32},
    {u"00000000002147483647", 2147483647},
    {u"$10", 16},
    {u"x1f", 31},
    {u"X1F", 31},
    {u"0x10", 16},
    {u"0XfF", 255},
    {u"-$10", -16},
    {u"$FFFFFFFF", -1},
    {u"$80000000", Min32},
    {u"-$FFFFFFFF", 1},
    {u"$000000001", 1},  // leading zeros are no significant digits
    // Not integers.
    {u"", std::nullopt},
    {u"   ", std::nullopt},
    {u"1 ", std::nullopt},
    {u"1x", std::nullopt},
    {u"- 1", std::nullopt},
    {u"+-1", std::nullopt},
    {u"--1", std::nullopt},
    {u"+", std::nullopt},
    {u"\t1", std::nullopt},
    {u"1.0", std::nullopt},
    {u"2147483648", std::nullopt},
    {u"-2147483649", std::nullopt},
    {u"99999999999999999999", std::nullopt},
    {u"$", std::nullopt},
    {u"0x", std::nullopt},
    {u"$100000000", std::nullopt},
    {u"$G", std::nullopt},
    {u"0x-1", std::nullopt},
    {u"$ 1", std::nullopt},
    {u"１", std::nullopt},  // a full-width digit is no decimal digit
};

TEST(StrToInt, TableOfTexts) {
  for (const Case& c : Cases) {
    EXPECT_EQ(TryStrToInt(c.text), c.value) << "'" << Utf16ToUtf8(c.text) << "'";
  }
}

TEST(StrToInt, FailureNamesTheTextAsItStands) {
  try {
    StrToInt(u" 1 ");
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Message(), u"' 1 ' is not a valid integer value");
  }
  EXPECT_EQ(StrToInt(u" 1"), 1);
}

}  // namespace
}  // namespace ovelix
