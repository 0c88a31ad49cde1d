#pragma once

// Helpers shared by the core tests: temporary folders, whole files, BMP fixtures.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/little_endian.h"

namespace ovelix::testing_support {

// A fresh folder, removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // A file name in the folder as the core's UTF-16 path.
  std::u16string File(const std::string& name) const { return (path_ / name).u16string(); }
  // The folder with a trailing separator, as the program folder is given.
  std::u16string Folder() const;

 private:
  std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// The memory of this process that is in use: pages touched, not address space taken.
std::uint64_t ResidentBytes();

using ovelix::Put16;
using ovelix::Put32;
inline std::uint32_t Get32(const std::vector<std::uint8_t>& bytes, std::size_t at) { return Le32(&bytes[at]); }

// A BMP file assembled field by field: file header, info header of any size, then
// whatever follows (masks, colour table, pixels) as given.
struct BmpFixture {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t planes = 1;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t imageSize = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t colorsUsed = 0;
  std::vector<std::uint8_t> headerTail;  // bytes 40.. of a longer header (masks of later headers)
  std::vector<std::uint8_t> body;        // masks, colour table and pixels

  std::vector<std::uint8_t> Bytes() const;
};

}  // namespace ovelix::testing_support
