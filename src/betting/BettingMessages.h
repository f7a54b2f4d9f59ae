#pragma once

// What the bulletin and the bets ledger tell the user, word for word, in one place.
namespace vezal::messages {

inline constexpr const char16_t* kNoLeagueCodeColumn =
    u"Dosyada lig kodu (Div) sütunu yok; maçların ligi seçilmeli.";
// %1: the league as typed.

// %1: the bookmaker's code as typed, %2: the file's codes, or kNoOddsInFile.
inline constexpr const char16_t* kBookmakerNotInFile =
    u"Dosyada bu bahisçinin oranı yok: %1; dosyadaki bahisçiler: %2";
inline constexpr const char16_t* kNoOddsInFile = u"yok";

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
// %1: how many selections were given.
inline constexpr const char16_t* kTooManySelections =
    u"Bir kuponda en fazla 999 seçim olabilir; %1 seçim verildi.";
// %1: the stake.
inline constexpr const char16_t* kStakeOutOfRange =
    u"Bahis miktarı sıfırdan büyük ve en fazla 1 milyar olmalı: %1";
// %1: the product of the selections' odds.
inline constexpr const char16_t* kBetOddsTooHigh =
    u"Kuponun oranı (seçimlerin oranlarının çarpımı) en fazla 1 milyar olabilir: %1";
// %1: the names as a message shows them, each control character written out.
inline constexpr const char16_t* kSelectionHasControlCharacter =
    u"Seçimin lig ya da takım adında satır sonu ya da kontrol karakteri var: %1";
// %1: the league, %2: the team as typed.
inline constexpr const char16_t* kBetTeamUnknown =
    u"%1 liginde \"%2\" adlı bir takım yok; bahis ligde kayıtlı takımların maçına yapılır.";
// %1 - %2: the match, %3: its day, %4: the day the bet is placed.
inline constexpr const char16_t* kPlacedAfterMatch =
    u"Bahis maçtan sonra yapılamaz: %1 - %2 maçı %3 tarihinde, bahis %4 tarihli.";
// %1 - %2: the match.
inline constexpr const char16_t* kSameTeamsInSelection = u"Ev sahibi ve misafir takım aynı olamaz: %1 - %2";
inline constexpr const char16_t* kSameMatchTwice = u"Bir kupona aynı maçtan iki seçim konamaz: %1 - %2";
// %1: the bet's number.
inline constexpr const char16_t* kNoSuchBet = u"Böyle bir bahis yok: %1";
// %1: the bet's number, %2: the selection's.
inline constexpr const char16_t* kNoSuchSelection = u"%1 numaralı bahiste böyle bir seçim yok: %2";

// An outcome of a market the ledger keeps no bets of yet. %1: the outcome's code.
inline constexpr const char16_t* kMarketNotBet = u"Bu piyasaya bahis yapılamıyor: %1";

// A half-time/full-time selection whose match was kept without its half-time score.
inline constexpr const char16_t* kNoHalfTimeScore =
    u"İlk yarı skoru bilinmiyor; ilk yarı/maç sonucu bahsi sonuçlanamaz.";

} // namespace vezal::messages
