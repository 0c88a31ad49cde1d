#pragma once

#include <windows.h>

namespace ovelix::testing_support {

// Handles every message waiting for this thread's windows.
inline void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace ovelix::testing_support
