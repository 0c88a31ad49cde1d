#pragma once

#include <stdexcept>
#include <string>

namespace ovelix {

// Every failure of the program is an Error carrying the exact text shown to the user.
class Error : public std::runtime_error {
 public:
  explicit Error(std::u16string message);

  const std::u16string& Message() const noexcept { return message_; }

 private:
  std::u16string message_;
};

}  // namespace ovelix
