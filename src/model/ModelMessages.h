#pragma once

// What the goals model tells the user when it gives no probabilities, word for word, in one place.
namespace vezal::messages {

// %1: the league.
inline constexpr const char16_t* kLeagueWithoutMatches =
    u"\"%1\" liginde kayıtlı maç yok; olasılık hesaplanamıyor.";
// %1: the team as typed.
inline constexpr const char16_t* kHomeTeamUnknown = u"Ev sahibi takım bu ligin maçlarında yok: %1";
inline constexpr const char16_t* kAwayTeamUnknown = u"Misafir takım bu ligin maçlarında yok: %1";
inline constexpr const char16_t* kSamePairingTeams = u"Ev sahibi ve misafir takım aynı olamaz: %1";
// %1: the team, %2: the day predicted (dd.MM.yyyy), %3: its matches before that day, %4: the least.
inline constexpr const char16_t* kTooFewMatches =
    u"%1 bu ligde %2 tarihinden önce yalnızca %3 maç oynamış; olasılık için en az %4 maç gerekir.";
// %1, %2: the teams; %3, %4: the goal means the model found for them.
inline constexpr const char16_t* kNoSensibleForecast =
    u"Model %1 - %2 maçı için güvenilir olasılık bulamadı (gol ortalamaları %3 - %4).";

} // namespace vezal::messages
