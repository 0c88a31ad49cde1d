#include "core/tests/test_support.h"

#include <fstream>
#include <iterator>
#include <random>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <unistd.h>
#endif

namespace ovelix::testing_support {

TempFolder::TempFolder() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() / ("ovelix-test-" + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::u16string TempFolder::Folder() const {
  std::u16string folder = path_.u16string();
  folder += static_cast<char16_t>(std::filesystem::path::preferred_separator);
  return folder;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::uint64_t ResidentBytes() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters) ? counters.WorkingSetSize : 0;
#else
  std::ifstream statm("/proc/self/statm");
  std::uint64_t size = 0;
  std::uint64_t resident = 0;
  statm >> size >> resident;
  return resident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
#endif
}

std::vector<std::uint8_t> BmpFixture::Bytes() const {
  std::vector<std::uint8_t> out{'B', 'M'};
  // Size and offset are deliberately wrong: the reader must not use them.
  Put32(out, 0xDEADBEEF);
  Put32(out, 0);
  Put32(out, 0xFFFFFFF0);
  Put32(out, headerSize);
  if (headerSize == 12) {
    Put16(out, static_cast<std::uint32_t>(width));
    Put16(out, static_cast<std::uint32_t>(height));
    Put16(out, planes);
    Put16(out, bits);
  } else {
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, planes);
    Put16(out, bits);
    Put32(out, compression);
    Put32(out, imageSize);
    Put32(out, static_cast<std::uint32_t>(xPelsPerMeter));
    Put32(out, static_cast<std::uint32_t>(yPelsPerMeter));
    Put32(out, colorsUsed);
    Put32(out, 0);
    std::vector<std::uint8_t> tail = headerTail;
    tail.resize(headerSize > 40 && headerSize < 65536 ? headerSize - 40 : 0);  // a huge size is a lie
    out.insert(out.end(), tail.begin(), tail.end());
  }
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace ovelix::testing_support
