#pragma once

namespace ovelix::ui {

// The name under which the program registers the message that makes a control host run a
// click its accessibility objects asked for.
inline constexpr wchar_t ClickMessageName[] = L"Ovelix.RunQueuedClick";

}  // namespace ovelix::ui
