#pragma once

#include "common/Odds.h"
#include "store/QuoteTable.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The odds columns of football-data-style files: 1X2 per bookmaker (B365H, PSD, ...), the market's
// average and best (AvgH or BbAvH, MaxA or BbMxA), over/under 2.5 goals (B365>2.5, P<2.5, Avg>2.5, ...),
// each again at closing time with a C (PSCH, AvgC>2.5), and the Asian handicap's home and away sides
// (B365AHH, PAHA, MaxAHH, AvgAHA, at closing B365CAHH, ...) at the line of AHh (AHCh at closing, BbAHh for
// the older BbMxAHH and BbAvAHH). Also the league code and kick-off time of a fixtures file.
namespace vezal {

// One quote as the file wrote it.
struct FileQuote {
    Quote quote;
    QString text; // the odds as the file spells them, with a point
};

// The quotes without their texts.
std::vector<Quote> plainQuotes(const std::vector<FileQuote>& quotes);

// What a header column is: a quote's source, moment and outcome; none for any other column.
struct OddsColumn {
    int column = -1;
    QString source; // normalised: Avg for Avg and BbAv, Max for Max and BbMx, PS for PS and P
    bool closing = false;
    QuoteOutcome outcome = QuoteOutcome::Home;
    int lineColumn = -1; // an Asian side's: the column of the home side's line
};
// An Asian side's column comes without its line column: ExtraColumns finds that in the header.
std::optional<OddsColumn> oddsColumn(const QString& name, int column);

class ExtraColumns {
public:
    explicit ExtraColumns(const QStringList& header);

    // Marks the columns read here as wanted.
    void want(std::vector<bool>& wanted) const;

    // The line's valid quotes, in header order; a field that is no valid odds is left out, and so is an
    // Asian side whose line is no multiple of 0.25 within +-3 goals.
    std::vector<FileQuote> quotes(const QStringList& fields) const;
    QString division(const QStringList& fields) const;
    QString time(const QStringList& fields) const;

private:
    std::vector<OddsColumn> odds_;
    int division_ = -1;
    int time_ = -1;
};

} // namespace vezal
