#pragma once

// What the bulletin tells the user, word for word, in one place.
namespace vezal::messages {

inline constexpr const char16_t* kNoLeagueCodeColumn =
    u"Dosyada lig kodu (Div) sütunu yok; maçların ligi seçilmeli.";
// %1: the league as typed.
inline constexpr const char16_t* kLeagueNotListed = u"Lig listesinde böyle bir lig yok: %1";

} // namespace vezal::messages
