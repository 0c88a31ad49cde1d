#include "core/platform/file_system.h"

#include "core/error.h"

// What the file layer does alike on every platform.

namespace ovelix {

std::vector<std::uint8_t> ReadWholeFile(std::u16string_view path, std::uint64_t maxBytes) {
  InputFile file(path);
  const std::uint64_t size = file.Size();
  if (size > maxBytes) throw Error(u"Out of system resources");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  bytes.resize(file.Read(bytes.data(), bytes.size()));
  return bytes;
}

}  // namespace ovelix
