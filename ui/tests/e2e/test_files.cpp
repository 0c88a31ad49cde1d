#include "ui/tests/e2e/test_files.h"

#include <cstring>

#include "core/little_endian.h"

namespace ovelix::e2e {

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path) {
  std::vector<std::uint8_t> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

void WriteBmp24(const std::wstring& path, int width, int height, const std::function<Color(int, int)>& colorAt) {
  const auto stride = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
  const std::uint32_t image = stride * static_cast<std::uint32_t>(height);
  std::vector<std::uint8_t> bytes{'B', 'M'};
  Put32(bytes, 54 + image);
  Put32(bytes, 0);
  Put32(bytes, 54);
  Put32(bytes, 40);
  Put32(bytes, static_cast<std::uint32_t>(width));
  Put32(bytes, static_cast<std::uint32_t>(height));
  Put16(bytes, 1);
  Put16(bytes, 24);
  for (int i = 0; i < 6; ++i) Put32(bytes, i == 1 ? image : 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Color c = colorAt(x, y);
      bytes.insert(bytes.end(), {BlueOf(c), GreenOf(c), RedOf(c)});
    }
    bytes.resize(bytes.size() + (stride - static_cast<std::uint32_t>(width) * 3), 0);
  }
  WriteFileBytes(path, bytes);
}

bool Bmp32::Read(const std::wstring& path) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || Le32(&bytes[10]) != 54 || Le32(&bytes[14]) != 40 ||
      Le16(&bytes[28]) != 32) {
    return false;
  }
  width = static_cast<int>(Le32(&bytes[18]));
  height = static_cast<int>(Le32(&bytes[22]));
  const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (bytes.size() != 54 + pixels * 4) return false;
  rows.resize(pixels);
  for (int y = 0; y < height; ++y) {
    std::memcpy(&rows[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)],
                &bytes[54 + static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(width) * 4],
                static_cast<std::size_t>(width) * 4);
  }
  return true;
}

Color Bmp32::At(int x, int y) const {
  const std::uint32_t v = rows[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  return MakeColor(static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v));
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::uint64_t FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

std::wstring WallpaperFolder() {
  CreateDirectoryW(L"C:\\ovelix-e2e", nullptr);
  CreateDirectoryW(L"C:\\ovelix-e2e\\wallpapers", nullptr);
  return L"C:\\ovelix-e2e\\wallpapers\\";
}

}  // namespace ovelix::e2e
