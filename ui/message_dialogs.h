#pragma once

#include <string_view>

namespace ovelix::ui {

// The information message: application title as caption, the text, one "OK" button.
void ShowInformation(std::u16string_view text);

// The confirmation: captioned "Confirm", question icon, "&Yes" (default) and "&No" (cancel:
// Escape and the close box). Answers true for yes.
bool Confirm(std::u16string_view text);

// The error box: application title, stop icon, one OK button; a full stop is added to a
// message whose last character's code is above that of ".".
void ShowErrorBox(std::u16string_view message);
std::u16string ErrorBoxText(std::u16string_view message);

// A plain system message box with its own caption, one OK button and no icon.
void ShowMessageBox(std::u16string_view caption, std::u16string_view text);

}  // namespace ovelix::ui
