#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/platform/wide.h"
#include "core/program_folder.h"
#include "core/text.h"
#include "desktop/shell_open.h"

namespace ovelix {
namespace {

constexpr const wchar_t* Scheme = L"ovelixtest";

// Registers, for the test's lifetime, a link scheme whose handler is shell_recorder.exe.
class ShellOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring folder = ToWide(ProgramFolder());
    record_ = folder + L"shell-record.txt";
    DeleteFileW(record_.c_str());
    const std::wstring command = L"\"" + folder + L"shell_recorder.exe\" \"" + record_ + L"\" \"%1\"";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, Scheme, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t));
    RegCloseKey(key);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L"ovelixtest\\shell\\open\\command", nullptr, REG_SZ,
                              command.c_str(), static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }

  void TearDown() override {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, Scheme);
    DeleteFileW(record_.c_str());
  }

  // What the handler recorded: the link, a line break and its show state.
  std::u16string WaitForRecord() const {
    for (int attempt = 0; attempt < 200; ++attempt) {
      const HANDLE file = CreateFileW(record_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      if (file != INVALID_HANDLE_VALUE) {
        std::wstring text(4096, L'\0');
        DWORD read = 0;
        ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
        CloseHandle(file);
        text.resize(read / sizeof(wchar_t));
        if (!text.empty()) {
          DeleteFileW(record_.c_str());
          return FromWide(text);
        }
      }
      Sleep(50);
    }
    return u"(nothing recorded)";
  }

  std::wstring record_;
};

TEST_F(ShellOpen, HandsTheExactLinkToItsHandlerShownOrHidden) {
  const std::u16string link = u"ovelixtest:payto?purse=R1&BringToFront=Y&Desc=Спасибо!";
  ovelix::ShellOpen(link, true);
  EXPECT_EQ(Utf16ToUtf8(WaitForRecord()), Utf16ToUtf8(link + u"\n" + DecimalText(SW_SHOWNORMAL)));
  ovelix::ShellOpen(link, false);
  EXPECT_EQ(Utf16ToUtf8(WaitForRecord()), Utf16ToUtf8(link + u"\n" + DecimalText(SW_HIDE)));
  ovelix::LaunchLink(GetDesktopWindow(), link);
  EXPECT_EQ(Utf16ToUtf8(WaitForRecord()), Utf16ToUtf8(link + u"\n" + DecimalText(SW_SHOW)));
}

}  // namespace
}  // namespace ovelix
