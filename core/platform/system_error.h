#pragma once

#include <string>

namespace ovelix {

// The system's own text for an error code, without trailing blanks, line breaks or full
// stops, so that it can stand inside a message of ours.
std::u16string SystemErrorText(unsigned long code);

inline std::u16string TrimSystemMessage(std::u16string message) {
  while (!message.empty() && (message.back() <= u' ' || message.back() == u'.')) message.pop_back();
  return message;
}

}  // namespace ovelix
