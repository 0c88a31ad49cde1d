#include "core/platform/file_system.h"

#include "core/byte_source.h"

// What the file layer does alike on every platform.

namespace ovelix {

std::vector<std::uint8_t> ReadWholeFile(std::u16string_view path, std::uint64_t maxBytes) {
  InputFile file(path);
  FileSource source(file);
  return source.ReadRest(maxBytes);
}

}  // namespace ovelix
