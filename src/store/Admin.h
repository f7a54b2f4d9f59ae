#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// The checked actions that change data, shared by the windows and vezal-cli so that both refuse with
// the same words. A refusal is the exact message to show; nothing has been written then.
namespace vezal {

class MatchTable;

struct ResultInput {
    QString league;    // empty: no league chosen
    QDate filterDate;  // the results window's filter date: which rows the duplicate search sees
    QDate day;         // the match day
    QString home;      // empty: no home team chosen
    QString away;      // empty: no away team chosen
    QString homeScore; // the score boxes' texts, one digit each
    QString awayScore;
};

struct ResultOutcome {
    std::optional<QString> refusal;
    std::optional<qint64> duplicateSr; // the shown row that matched, whether or not it refused
    std::optional<qint64> appendedSr;
};

// Duplicate search, the seven checks in order, the two rating sums, the rating and the append.
ResultOutcome enterResult(MatchTable& table, const ResultInput& input);

// The five checks in order, then the seed row. The caller clears its boxes on kTeamExists.
std::optional<QString> registerTeam(MatchTable& table, const QString& league, const QString& name,
                                    const QString& pointsText);

// The league list window's two warnings (status-line texts), or none when the name may be added.
std::optional<QString> checkNewLeague(const QStringList& listed, const QString& typed);

} // namespace vezal
