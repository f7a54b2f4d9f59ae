#pragma once

// What the bulletin and the bets ledger tell the user, word for word, in one place.
namespace vezal::messages {

inline constexpr const char16_t* kNoLeagueCodeColumn =
    u"Dosyada lig kodu (Div) sütunu yok; maçların ligi seçilmeli.";
// %1: the league as typed.

// A bet's status.
inline constexpr const char16_t* kBetOpen = u"açık";
inline constexpr const char16_t* kBetWon = u"kazandı";
inline constexpr const char16_t* kBetLost = u"kaybetti";
inline constexpr const char16_t* kBetVoid = u"iptal";
// A selection whose match row is no longer in the table.
inline constexpr const char16_t* kMatchGone = u"maç silindi";
// The group of the coupons in the breakdowns.
inline constexpr const char16_t* kCouponGroup = u"Kupon";
inline constexpr const char16_t* kLedgerCsvHeader = u"No;Tarih;Miktar;Oran;Durum;Kâr;CLV %;Seçimler";

// Refusals of a bet.
inline constexpr const char16_t* kBetWithoutSelection = u"Bahiste en az bir seçim olmalı.";
inline constexpr const char16_t* kStakeNotPositive = u"Bahis miktarı sıfırdan büyük olmalı.";
// %1: the odds as typed.
inline constexpr const char16_t* kOddsTooLow = u"Oran 1'den büyük olmalı: %1";
// %1 - %2: the match.
inline constexpr const char16_t* kSameTeamsInSelection = u"Ev sahibi ve misafir takım aynı olamaz: %1 - %2";
inline constexpr const char16_t* kSameMatchTwice = u"Bir kupona aynı maçtan iki seçim konamaz: %1 - %2";
// %1: the bet's number.
inline constexpr const char16_t* kNoSuchBet = u"Böyle bir bahis yok: %1";
// %1: the bet's number, %2: the selection's.
inline constexpr const char16_t* kNoSuchSelection = u"%1 numaralı bahiste böyle bir seçim yok: %2";

// A half-time/full-time selection whose match was kept without its half-time score.
inline constexpr const char16_t* kNoHalfTimeScore =
    u"İlk yarı skoru bilinmiyor; ilk yarı/maç sonucu bahsi sonuçlanamaz.";

} // namespace vezal::messages
