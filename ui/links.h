#pragma once

// The addresses and names the program hands out: the home page, the author, and where
// donations go.

#include <string_view>

namespace ovelix::ui {

inline constexpr std::u16string_view HomePageUrl = u"https://zeraska.example/";
inline constexpr std::u16string_view AboutAuthorLine = u"Автор: команда Ovelix, 2026";

inline constexpr std::u16string_view WebMoneyPurse = u"R100000000001";
inline constexpr std::u16string_view SmsDonationService = u"https://sms-donate.example/";
inline constexpr std::u16string_view SmsDonationAccount = u"48151";

}  // namespace ovelix::ui
