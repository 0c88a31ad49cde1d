#pragma once

// The hot keys' timing. The keys are polled, not registered: a press counts when a tick of
// Timer_HotKeys falls while Ctrl and the key are down, and a toggle is followed by a pause,
// so that a key held down flips its box about every TogglePauseMs.

#include <windows.h>

namespace ovelix::ui::hot_keys {

inline constexpr UINT TickMs = 10;            // interval of Timer_HotKeys
inline constexpr DWORD TogglePauseMs = 100;   // after each toggle of a colour box

// The keys that toggle Check_UseWhite, Check_UseBlack and Check_UseBack, in that order.
inline constexpr BYTE ToggleKeys[3] = {VK_F5, VK_F6, VK_F7};

}  // namespace ovelix::ui::hot_keys
