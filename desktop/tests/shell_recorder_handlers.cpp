#include "desktop/tests/shell_recorder_handlers.h"

#include "core/platform/wide.h"

namespace ovelix::testing_support {

namespace {

constexpr const wchar_t* BackupRoot = L"Software\\Ovelix tests\\saved handlers";
constexpr const wchar_t* RecordedClass = L"OvelixRecordedFile";

std::wstring BackupOf(const std::wstring& key) { return std::wstring(BackupRoot) + L"\\" + key; }

void SetDefault(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  RegSetKeyValueW(root, path.c_str(), name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

ShellRecorder::ShellRecorder(std::initializer_list<const wchar_t*> schemes, const wchar_t* extension)
    : record_(L"C:\\ovelix-shell-record.txt") {
  DeleteFileW(record_.c_str());
  for (const wchar_t* scheme : schemes) Replace(scheme, std::wstring(L"URL:") + scheme, true);
  if (extension != nullptr) {
    Replace(extension, RecordedClass, false);
    Replace(RecordedClass, L"", false);
  }
}

void ShellRecorder::Replace(const std::wstring& key, const std::wstring& defaultValue, bool urlProtocol) {
  HKEY existing = nullptr;
  const bool existed = RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS;
  if (existed) {
    HKEY backup = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, BackupOf(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &backup, nullptr);
    RegCopyTreeW(existing, nullptr, backup);
    RegCloseKey(backup);
    RegCloseKey(existing);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
  }
  saved_.push_back({key, existed});
  SetDefault(HKEY_CLASSES_ROOT, key, nullptr, defaultValue);
  if (urlProtocol) SetDefault(HKEY_CLASSES_ROOT, key, L"URL Protocol", L"");
  if (key[0] != L'.') {
    const std::wstring command = L"\"" OVELIX_SHELL_RECORDER_PATH L"\" \"" + record_ + L"\" \"%1\"";
    SetDefault(HKEY_CLASSES_ROOT, key + L"\\shell\\open\\command", nullptr, command);
  }
}

ShellRecorder::~ShellRecorder() {
  for (auto entry = saved_.rbegin(); entry != saved_.rend(); ++entry) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, entry->key.c_str());
    if (!entry->existed) continue;
    HKEY restored = nullptr;
    HKEY backup = nullptr;
    RegCreateKeyExW(HKEY_CLASSES_ROOT, entry->key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &restored, nullptr);
    if (RegOpenKeyExW(HKEY_CURRENT_USER, BackupOf(entry->key).c_str(), 0, KEY_READ, &backup) == ERROR_SUCCESS) {
      RegCopyTreeW(backup, nullptr, restored);
      RegCloseKey(backup);
    }
    RegCloseKey(restored);
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, BackupRoot);
  DeleteFileW(record_.c_str());
}

std::u16string ShellRecorder::WaitForRecord(std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  do {
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
  } while (std::chrono::steady_clock::now() < end);
  return u"(nothing recorded)";
}

}  // namespace ovelix::testing_support
