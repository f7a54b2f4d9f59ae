#pragma once

#include "prediction/Reading.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

// The comparison panel of the main window as plain texts, and what "Tahmin" does over it.
// The window copies its boxes in and out; the companion tool builds one from the league tables.
namespace vezal {

// A team chooser: its text and whether one of its items is selected.
struct Chooser {
    QString text;
    bool selected = false;
};

// A side's figures from its league table row.
struct SideFigures {
    QString points;
    QString games;
    QString goalsFor;
    QString goalsAgainst;
};

// A score as its two boxes show it.
struct ScoreTexts {
    QString home;
    QString away;
};

class ComparisonPanel {
public:
    Chooser homeTeam;
    Chooser awayTeam;
    QString matchNumber; // typed by the user; heads the commentary and the coupon line

    SideFigures home;
    SideFigures away;

    QString firstSign;  // result signs "1", "0", "2"
    QString secondSign; // empty unless the prediction gives a double chance
    QString thirdSign;  // never written: always empty
    QString underOver;  // "ALT", "ÜST" or a percentage text
    ScoreTexts score;
    std::array<ScoreTexts, 3> alternatives;
    QString goalsBand; // written by the commentary

    void clearAll();
    void clearHomeSide(); // with the prediction and the match number
    void clearAwaySide(); // with the prediction and the match number
};

// How many result signs the prediction gave: 0, 1 or 2.
qsizetype signCount(const ComparisonPanel& panel);

// Whether the under/over text is a clear verdict ("ALT" or "ÜST") rather than a percentage text.
bool isClearUnderOver(const QString& underOver);

// A team chosen as the home (or away) team: the panel is cleared for it and its side shows the row of
// the home (or away) table found for it; without a row that side stays empty.
void showHomeTeam(ComparisonPanel& panel, const std::optional<LeagueTableRow>& homeTableRow);
void showAwayTeam(ComparisonPanel& panel, const std::optional<LeagueTableRow>& awayTableRow);

// An opponent-strength sum, looked up only when the prediction gets as far as the expected goals.
using StrengthLookup = std::function<double()>;

struct TahminOutcome {
    std::optional<QString> refusal; // the warning to show; nothing else happened
    QStringList commentary;         // lines to append to the report
    QString couponLine;             // line to offer to the coupon list
};

// The "Tahmin" button over the panel: checks, prediction, commentary (which writes the band box) and the
// coupon line. totalGoals is the total expected goals kept for the whole run; it changes only when the
// expected goals were computed. A lookup that throws ends the press there, boxes written so far stay.
TahminOutcome pressTahmin(ComparisonPanel& panel, double& totalGoals, const StrengthLookup& homeStrength,
                          const StrengthLookup& awayStrength);

} // namespace vezal
