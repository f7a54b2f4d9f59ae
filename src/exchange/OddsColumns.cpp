#include "exchange/OddsColumns.h"

#include "common/AsianLine.h"

namespace vezal {

namespace {

// Bookmakers' codes as football-data writes them, longer ones before their prefixes ("PS" before "P",
// "BFE" before "BF"). The second name is the one kept.
constexpr std::pair<const char*, const char*> kSources[] = {
    {"BbAv", "Avg"}, {"BbMx", "Max"}, {"Avg", "Avg"},   {"Max", "Max"}, {"B365", "B365"}, {"1XB", "1XB"},
    {"BFE", "BFE"},  {"BF", "BF"},    {"BMGM", "BMGM"}, {"BV", "BV"},   {"BS", "BS"},     {"BW", "BW"},
    {"CL", "CL"},    {"GB", "GB"},    {"IW", "IW"},     {"LB", "LB"},   {"PS", "PS"},     {"P", "PS"},
    {"SO", "SO"},    {"SB", "SB"},    {"SJ", "SJ"},     {"SY", "SY"},   {"VC", "VC"},     {"WH", "WH"},
};

constexpr std::pair<const char*, QuoteOutcome> kOutcomes[] = {
    {"H", QuoteOutcome::Home},        {"D", QuoteOutcome::Draw},    {"A", QuoteOutcome::Away},
    {"<2.5", QuoteOutcome::Under},    {">2.5", QuoteOutcome::Over}, {"AHH", QuoteOutcome::AsianHome},
    {"AHA", QuoteOutcome::AsianAway},
};

std::optional<QuoteOutcome> outcomeOf(const QString& rest) {
    for (const auto& [suffix, outcome] : kOutcomes)
        if (rest.compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0)
            return outcome;
    return std::nullopt;
}

int columnOf(const QStringList& header, const char* name) {
    for (qsizetype i = 0; i < header.size(); ++i)
        if (header.at(i).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

QString field(const QStringList& fields, int column) {
    return column >= 0 && column < fields.size() ? fields.at(column).trimmed() : QString();
}

} // namespace

std::vector<Quote> plainQuotes(const std::vector<FileQuote>& quotes) {
    std::vector<Quote> plain;
    plain.reserve(quotes.size());
    for (const FileQuote& quote : quotes)
        plain.push_back(quote.quote);
    return plain;
}

std::optional<OddsColumn> oddsColumn(const QString& name, int column) {
    for (const auto& [code, kept] : kSources) {
        if (!name.startsWith(QLatin1String(code), Qt::CaseInsensitive))
            continue;
        const QString rest = name.mid(static_cast<qsizetype>(qstrlen(code)));
        if (const std::optional<QuoteOutcome> outcome = outcomeOf(rest))
            return OddsColumn{column, QString::fromLatin1(kept), false, *outcome};
        if (rest.startsWith(u'C') || rest.startsWith(u'c'))
            if (const std::optional<QuoteOutcome> outcome = outcomeOf(rest.mid(1)))
                return OddsColumn{column, QString::fromLatin1(kept), true, *outcome};
        // "BFEH" starts with "BF" too: the longer code was tried first, so stop at the first that fits.
        return std::nullopt;
    }
    return std::nullopt;
}

ExtraColumns::ExtraColumns(const QStringList& header) {
    const int line = columnOf(header, "AHh");
    const int closingLine = columnOf(header, "AHCh");
    const int olderLine = columnOf(header, "BbAHh");
    for (qsizetype i = 0; i < header.size(); ++i) {
        std::optional<OddsColumn> odds = oddsColumn(header.at(i), static_cast<int>(i));
        if (!odds)
            continue;
        if (isAsianHandicap(odds->outcome)) {
            // The older market columns (BbMxAHH) go with the older line column.
            const bool older = header.at(i).startsWith(QLatin1String("Bb"), Qt::CaseInsensitive);
            odds->lineColumn = odds->closing ? closingLine : older ? olderLine : line;
            if (odds->lineColumn < 0)
                continue;
        }
        odds_.push_back(*odds);
    }
    division_ = columnOf(header, "Div");
    time_ = columnOf(header, "Time");
}

void ExtraColumns::want(std::vector<bool>& wanted) const {
    const auto use = [&](int column) {
        if (column >= 0 && static_cast<std::size_t>(column) < wanted.size())
            wanted[static_cast<std::size_t>(column)] = true;
    };
    for (const OddsColumn& odds : odds_) {
        use(odds.column);
        use(odds.lineColumn);
    }
    use(division_);
    use(time_);
}

std::vector<FileQuote> ExtraColumns::quotes(const QStringList& fields) const {
    std::vector<FileQuote> quotes;
    for (const OddsColumn& odds : odds_) {
        QString text = field(fields, odds.column);
        const std::optional<double> value = readOddsValue(text);
        if (!value)
            continue;
        int quarterGoals = 0;
        if (odds.lineColumn >= 0) {
            const std::optional<int> homeLine = asianQuarters(field(fields, odds.lineColumn));
            if (!homeLine)
                continue;
            quarterGoals = odds.outcome == QuoteOutcome::AsianAway ? -*homeLine : *homeLine;
        }
        text.replace(QLatin1Char(','), QLatin1Char('.'));
        quotes.push_back({Quote{odds.source, odds.closing, odds.outcome, *value, quarterGoals}, text});
    }
    return quotes;
}

QString ExtraColumns::division(const QStringList& fields) const {
    return field(fields, division_);
}

QString ExtraColumns::time(const QStringList& fields) const {
    return field(fields, time_);
}

} // namespace vezal
