#include "core/error.h"
#include "core/platform/metafile.h"

namespace ovelix {

Picture PlayMetafile(std::span<const std::uint8_t>, bool, int, int) {
  throw Error(u"Metafiles can be drawn only on Windows");
}

}  // namespace ovelix
