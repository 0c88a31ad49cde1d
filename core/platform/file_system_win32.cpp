#include <windows.h>

#include <utility>

#include "core/error.h"
#include "core/platform/file_system.h"
#include "core/platform/system_error.h"
#include "core/platform/wide.h"
#include "core/text.h"

namespace ovelix {

std::u16string ExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return FromWide(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::u16string SystemErrorText(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string message = length != 0 ? FromWide({text, length}) : std::u16string();
  LocalFree(text);
  return TrimSystemMessage(std::move(message));
}

bool FileExists(std::u16string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &data)) return false;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  FILETIME local{};
  WORD dosDate = 0;
  WORD dosTime = 0;
  return FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
         FileTimeToDosDateTime(&local, &dosDate, &dosTime);
}

struct InputFile::Handle {
  HANDLE file;
};

InputFile::InputFile(std::u16string_view path) {
  const HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    throw Error(FormatText(u"Cannot open file \"%s\". %s", {path, SystemErrorText(GetLastError())}));
  }
  handle_ = std::make_unique<Handle>(Handle{file});
}

InputFile::~InputFile() { CloseHandle(handle_->file); }

std::uint64_t InputFile::Size() const {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle_->file, &size)) return 0;
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t InputFile::Read(void* buffer, std::size_t count) {
  auto* out = static_cast<char*>(buffer);
  std::size_t total = 0;
  while (total < count) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - total, 1U << 30));
    DWORD got = 0;
    if (!ReadFile(handle_->file, out + total, chunk, &got, nullptr)) throw Error(u"Stream read error");
    if (got == 0) break;
    total += got;
  }
  return total;
}

struct OutputFile::Handle {
  HANDLE file;
  std::wstring temporary;
};

OutputFile::OutputFile(std::u16string_view path) : path_(path) {
  std::wstring temporary = ToWide(path) + L".tmp";
  const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail(GetLastError());
  handle_ = std::make_unique<Handle>(Handle{file, std::move(temporary)});
}

OutputFile::~OutputFile() {
  if (handle_ == nullptr) return;
  if (handle_->file != INVALID_HANDLE_VALUE) CloseHandle(handle_->file);
  DeleteFileW(handle_->temporary.c_str());
}

void OutputFile::Fail(unsigned long systemError) {
  throw Error(FormatText(u"Cannot create file \"%s\". %s", {path_, SystemErrorText(systemError)}));
}

void OutputFile::Write(const void* data, std::size_t count) {
  const auto* in = static_cast<const char*>(data);
  while (count > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count, 1U << 30));
    DWORD written = 0;
    if (!WriteFile(handle_->file, in, chunk, &written, nullptr)) Fail(GetLastError());
    if (written == 0) Fail(ERROR_HANDLE_DISK_FULL);
    in += written;
    count -= written;
  }
}

void OutputFile::Commit(Flush flush) {
  if (flush == Flush::Durable && !FlushFileBuffers(handle_->file)) Fail(GetLastError());
  const HANDLE file = std::exchange(handle_->file, INVALID_HANDLE_VALUE);
  if (!CloseHandle(file)) Fail(GetLastError());
  // One step, in place of the old file; MoveFileExW is there since Windows 2000.
  const DWORD how = MOVEFILE_REPLACE_EXISTING | (flush == Flush::Durable ? MOVEFILE_WRITE_THROUGH : 0);
  if (!MoveFileExW(handle_->temporary.c_str(), ToWide(path_).c_str(), how)) Fail(GetLastError());
  handle_.reset();
}

void RemoveFile(std::u16string_view path) { DeleteFileW(ToWide(path).c_str()); }

}  // namespace ovelix
