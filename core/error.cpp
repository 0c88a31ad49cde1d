#include "core/error.h"

#include "core/text.h"

namespace ovelix {

Error::Error(std::u16string message)
    : std::runtime_error(Utf16ToUtf8(message)), message_(std::move(message)) {}

}  // namespace ovelix
