#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/platform/wide.h"
#include "core/text.h"
#include "desktop/shell_open.h"
#include "desktop/tests/shell_recorder_handlers.h"

namespace ovelix {
namespace {

TEST(ShellOpen, HandsTheExactLinkToItsHandlerShownOrHidden) {
  testing_support::ShellRecorder recorder({L"ovelixtest"});
  const std::u16string link = u"ovelixtest:payto?purse=R1&BringToFront=Y&Desc=Спасибо!";
  ovelix::ShellOpen(link, true);
  EXPECT_EQ(Utf16ToUtf8(recorder.WaitForRecord()), Utf16ToUtf8(link + u"\n" + DecimalText(SW_SHOWNORMAL)));
  ovelix::ShellOpen(link, false);
  EXPECT_EQ(Utf16ToUtf8(recorder.WaitForRecord()), Utf16ToUtf8(link + u"\n" + DecimalText(SW_HIDE)));
  ovelix::LaunchLink(GetDesktopWindow(), link);
  EXPECT_EQ(Utf16ToUtf8(recorder.WaitForRecord()), Utf16ToUtf8(link + u"\n" + DecimalText(SW_SHOW)));
}

}  // namespace
}  // namespace ovelix
