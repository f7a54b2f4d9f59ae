#include "exchange/MatchStatistics.h"

#include "common/Names.h"

#include <QString>
#include <cmath>

namespace vezal {

namespace {

// In the order of MatchStatistics' counts.
constexpr const char* kCountNames[] = {"HS", "AS", "HST", "AST", "HC", "AC", "HY", "AY", "HR", "AR"};
// Over and under 2.5 goals: market averages first, then single bookmakers.
constexpr std::pair<const char*, const char*> kOverUnderNames[] = {
    {"Avg>2.5", "Avg<2.5"}, {"BbAv>2.5", "BbAv<2.5"}, {"P>2.5", "P<2.5"}, {"B365>2.5", "B365<2.5"}};

int columnOf(const QStringList& header, const char* name) {
    const QString wanted = QString::fromLatin1(name);
    for (qsizetype i = 0; i < header.size(); ++i)
        if (equalNoCase(header.at(i), wanted))
            return static_cast<int>(i);
    return -1;
}

QString field(const QStringList& fields, int column) {
    return column >= 0 && column < fields.size() ? fields.at(column).trimmed() : QString();
}

// Up to three digits: no sign, no decimals.
std::optional<int> count(const QString& text) {
    if (text.isEmpty() || text.size() > 3)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

std::optional<double> odd(QString text) {
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || !(value > 1))
        return std::nullopt;
    return value;
}

} // namespace

StatisticsColumns::StatisticsColumns(const QStringList& header) {
    for (const char* name : kCountNames)
        counts_.push_back(columnOf(header, name));
    for (const auto& [over, under] : kOverUnderNames) {
        const int o = columnOf(header, over), u = columnOf(header, under);
        if (o >= 0 && u >= 0)
            overUnder_.push_back({o, u});
    }
    halfTimeHome_ = columnOf(header, "HTHG");
    halfTimeAway_ = columnOf(header, "HTAG");
}

void StatisticsColumns::markWanted(std::vector<bool>& used) const {
    const auto use = [&](int column) {
        if (column >= 0 && static_cast<std::size_t>(column) < used.size())
            used[static_cast<std::size_t>(column)] = true;
    };
    for (int column : counts_)
        use(column);
    for (const auto& [over, under] : overUnder_) {
        use(over);
        use(under);
    }
    use(halfTimeHome_);
    use(halfTimeAway_);
}

std::optional<MatchStatistics> StatisticsColumns::read(const QStringList& fields, int homeGoals,
                                                       int awayGoals) const {
    MatchStatistics s;
    std::optional<int>* targets[] = {
        &s.homeShots,   &s.awayShots,       &s.homeShotsOnTarget, &s.awayShotsOnTarget, &s.homeCorners,
        &s.awayCorners, &s.homeYellowCards, &s.awayYellowCards,   &s.homeRedCards,      &s.awayRedCards};
    for (std::size_t i = 0; i < counts_.size(); ++i)
        *targets[i] = count(field(fields, counts_[i]));
    for (const auto& [over, under] : overUnder_) {
        const auto o = odd(field(fields, over)), u = odd(field(fields, under));
        if (o && u) {
            s.over25Odds = o;
            s.under25Odds = u;
            break;
        }
    }
    const std::optional<int> halfHome = count(field(fields, halfTimeHome_));
    const std::optional<int> halfAway = count(field(fields, halfTimeAway_));
    if (halfHome && halfAway && *halfHome <= homeGoals && *halfAway <= awayGoals) {
        s.halfTimeHomeGoals = halfHome;
        s.halfTimeAwayGoals = halfAway;
    }
    if (s.isEmpty())
        return std::nullopt;
    return s;
}

} // namespace vezal
