#include <gtest/gtest.h>

#include "core/text.h"
#include "ui/message_dialogs.h"

namespace ovelix::ui {
namespace {

TEST(ErrorBoxText, AddsAFullStopAfterCharactersAboveTheFullStop) {
  const struct {
    std::u16string_view message;
    std::u16string_view shown;
  } cases[] = {
      {u"Bitmap image is not valid", u"Bitmap image is not valid."},
      {u"JPEG error #42", u"JPEG error #42."},
      {u"Ошибка", u"Ошибка."},                // any non-ASCII character
      {u"'' is not a valid integer value", u"'' is not a valid integer value."},
      {u"Already.", u"Already."},
      {u"Trailing blank ", u"Trailing blank "},
      {u"Loud!", u"Loud!"},
      {u"Quoted '", u"Quoted '"},
      {u"(closed)", u"(closed)"},
      {u"comma,", u"comma,"},
      {u"slash/", u"slash/."},  // "/" comes after "."
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16ToUtf8(ErrorBoxText(c.message)), Utf16ToUtf8(c.shown));
}

}  // namespace
}  // namespace ovelix::ui
