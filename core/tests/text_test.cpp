#include <gtest/gtest.h>

#include "core/text.h"

namespace ovelix {
namespace {

TEST(Text, Utf8AndUtf16RoundTrip) {
  const std::u16string samples[] = {u"", u"mix1.bmp", u"Пожертвования", u"\U0001F600 ё"};
  for (const auto& sample : samples) EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(sample)), sample);
  EXPECT_EQ(Utf16ToUtf8(u"Зераска"), "\xD0\x97\xD0\xB5\xD1\x80\xD0\xB0\xD1\x81\xD0\xBA\xD0\xB0");
}

TEST(Text, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD");  // overlong form of '/'
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD");  // cut short
}

TEST(Text, FormatTextFillsEachPlaceholderInTurn) {
  EXPECT_EQ(FormatText(u"Cannot open file \"%s\". %s", {u"C:\\a.bmp", u"Access denied"}),
            u"Cannot open file \"C:\\a.bmp\". Access denied");
  EXPECT_EQ(FormatText(u"'%s' is not a valid integer value", {u""}), u"'' is not a valid integer value");
  EXPECT_EQ(FormatText(u"%s and %s", {u"%s"}), u"%s and %s");  // inserted text is not scanned again
  EXPECT_EQ(DecimalText(-2147483648LL), u"-2147483648");
  EXPECT_EQ(DecimalText(0), u"0");
}

}  // namespace
}  // namespace ovelix
