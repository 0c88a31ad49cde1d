#pragma once

// The message of the Error that a call raises, for tests that check error texts.

#include <string>

#include "core/error.h"

namespace ovelix::testing_support {

inline constexpr const char16_t* NoError = u"(no error)";

// The message of the Error the call raises; NoError when it raises none.
template <typename Call>
std::u16string ErrorOf(Call&& call) {
  try {
    call();
  } catch (const Error& error) {
    return error.Message();
  }
  return std::u16string(NoError);
}

}  // namespace ovelix::testing_support
