#pragma once

#include "betting/Bulletin.h"

#include <QString>
#include <optional>
#include <vector>

// How a bulletin's rule did on a league's past: every match forecast by the goals model fitted on the
// matches before its day and pooled with the match's odds taken before closing, one unit bet on every
// outcome the rule flags at the kept odds it chooses, and each bet held against the closing line.
namespace vezal {

class Database;

enum class EvidenceMarket { OneXTwo, UnderOver };

// "1X2" or "UO".
QString evidenceMarketCode(EvidenceMarket market);

struct EvidenceFigures {
    EvidenceMarket market = EvidenceMarket::OneXTwo;
    bool oddsKept = false; // the league keeps odds for the market at all
    int bets = 0;
    int won = 0;
    double profit = 0;           // in units
    std::vector<double> returns; // each bet's profit, in the order of the walk
    // Each bet's expected value at the closing line, closing margin-free probability * odds - 1, over
    // the bets whose match has closing odds of the market.
    Spread closeValue;

    std::optional<double> yieldPercent() const; // profit per bet; none without bets
    // The yield's 95 % interval, mean profit per bet +- 1.96 standard errors, in percent; none for
    // fewer than two bets.
    std::optional<std::pair<double, double>> yieldInterval() const;
    // The mean expected value at the closing line and its 95 % interval, in percent.
    std::optional<double> closeValuePercent() const;
    std::optional<std::pair<double, double>> closeValueInterval() const;
};

struct LeagueEvidence {
    QString league;
    EvidenceFigures oneXTwo;
    EvidenceFigures underOver = under();

private:
    static EvidenceFigures under() {
        EvidenceFigures figures;
        figures.market = EvidenceMarket::UnderOver;
        return figures;
    }
};

// Walks the league's matches, oldest day first, each day's fit starting from the day before's. Engine
// failures throw StoreError.
LeagueEvidence leagueEvidence(Database& database, const QString& league, const BulletinRule& rule);

} // namespace vezal
