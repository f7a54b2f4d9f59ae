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

class ComparisonPanel {
public:
    // Memo1..Memo8 figures, Memo9..Memo21 prediction, Memo25 match number.
    static constexpr std::array<int, 22> kMemoNumbers = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                                         12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 25};

    // The text of box MemoN; throws std::out_of_range for a number the panel does not have.
    QString& memo(int number);
    const QString& memo(int number) const;

    Chooser comboBox3; // home team
    Chooser comboBox4; // away team

    void Temizle1(); // every box
    void Temizle2(); // home side, prediction boxes and match number
    void Temizle3(); // away side, prediction boxes and match number

private:
    std::array<QString, 26> memos_;
};

// How many result signs the prediction gave (Memo9 and Memo10 together): 0, 1 or 2.
qsizetype signCount(const ComparisonPanel& panel);

// Whether the under/over text is a clear verdict ("ALT" or "ÜST") rather than a percentage text.
bool isClearUnderOver(const QString& underOver);

// A team chosen in ComboBox3 (or ComboBox4): the panel is cleared for it and its side shows the row
// of the home (or away) table found for it; without a row that side stays empty.
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
