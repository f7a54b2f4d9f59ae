#pragma once

namespace vezal {

// The maker's details: the about box shows them, the main window's caption and status bar name them.
namespace maker {
inline constexpr const char16_t* kInitials = u"VZ";
inline constexpr const char16_t* kCredit = u"Vezal";
inline constexpr const char16_t* kCreditLine = u"Futbol tahmin programı: Vezal";
inline constexpr const char16_t* kWebAddress = u"www.vezal.example";
inline constexpr const char16_t* kWebPage = u"http://www.vezal.example/index.asp";
inline constexpr const char16_t* kMailAddress = u"bilgi@vezal.example";
inline constexpr const char16_t* kRights1 = u"Tüm hakları saklıdır.";
inline constexpr const char16_t* kRights2 = u"Tahminler yalnızca bilgi içindir.";
} // namespace maker

} // namespace vezal
