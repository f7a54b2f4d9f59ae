#include "evidence/TrackRecord.h"

#include "evidence/Seasons.h"
#include "exchange/ModelMatches.h"
#include "model/LeagueForecast.h"
#include "store/MatchTable.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <limits>
#include <tuple>

namespace vezal {

void Tally::add(std::optional<bool> hit) {
    if (!hit)
        return;
    ++counted;
    if (*hit)
        ++hits;
}

std::optional<double> Tally::percent() const {
    if (counted == 0)
        return std::nullopt;
    return 100.0 * hits / counted;
}

std::optional<double> TrackFigures::yieldPercent() const {
    if (bets == 0)
        return std::nullopt;
    return 100.0 * profit / bets;
}

QString resultSign(int homeGoals, int awayGoals) {
    if (homeGoals > awayGoals)
        return QStringLiteral("1");
    if (homeGoals < awayGoals)
        return QStringLiteral("2");
    return QStringLiteral("0");
}

QString seasonOf(const QDate& day) {
    const int start = day.month() >= 7 ? day.year() : day.year() - 1;
    return QStringLiteral("%1-%2").arg(start).arg((start + 1) % 100, 2, 10, QLatin1Char('0'));
}

std::optional<bool> underOverLeansOver(const QString& underOver) {
    // The one text that weighs both sides alike.
    static const QString even = QStringLiteral("% 50 Alt - % 50 Üst");
    if (underOver.isEmpty() || underOver == even)
        return std::nullopt;
    const QString lower = underOver.toLower();
    const qsizetype under = lower.indexOf(QStringLiteral("alt"));
    const qsizetype over = lower.indexOf(QStringLiteral("üst"));
    if (under < 0 && over < 0)
        return std::nullopt;
    return under < 0 || (over >= 0 && over < under);
}

namespace {

// "0 - 1", "2 - 3", "4 - 6" hold their two ends; "7" holds seven goals and more.
std::optional<bool> inGoalsBand(const QString& band, int goals) {
    const QStringList ends = band.split(QStringLiteral(" - "));
    bool lowOk = false;
    const int low = ends.value(0).toInt(&lowOk);
    if (!lowOk || ends.size() > 2)
        return std::nullopt;
    int high = std::numeric_limits<int>::max();
    if (ends.size() == 2) {
        bool highOk = false;
        high = ends.at(1).toInt(&highOk);
        if (!highOk)
            return std::nullopt;
    }
    return goals >= low && goals <= high;
}

std::optional<bool> exactScoreHit(const ScoreTexts& score, int homeGoals, int awayGoals) {
    if (score.home.isEmpty() || score.away.isEmpty())
        return std::nullopt;
    bool homeOk = false, awayOk = false;
    const int home = score.home.toInt(&homeOk);
    const int away = score.away.toInt(&awayOk);
    return homeOk && awayOk && home == homeGoals && away == awayGoals;
}

struct PricedSign {
    QString sign;
    double price;
};

// The three odds from the lowest up; equal odds keep the order 1, 0, 2.
std::array<PricedSign, 3> byPrice(const MatchOdds& odds) {
    std::array<PricedSign, 3> signs = {PricedSign{QStringLiteral("1"), odds.home},
                                       PricedSign{QStringLiteral("0"), odds.draw},
                                       PricedSign{QStringLiteral("2"), odds.away}};
    std::stable_sort(signs.begin(), signs.end(),
                     [](const PricedSign& a, const PricedSign& b) { return a.price < b.price; });
    return signs;
}

double priceOf(const MatchOdds& odds, const QString& sign) {
    if (sign == QLatin1String("1"))
        return odds.home;
    if (sign == QLatin1String("0"))
        return odds.draw;
    return odds.away;
}

} // namespace

MatchVerdicts judgePrediction(const ComparisonPanel& panel, int homeGoals, int awayGoals,
                              const std::optional<MatchOdds>& odds) {
    const QString result = resultSign(homeGoals, awayGoals);
    const int goals = homeGoals + awayGoals;
    const bool over = goals >= 3;

    MatchVerdicts verdicts;
    if (!panel.firstSign.isEmpty()) {
        verdicts.firstSign = panel.firstSign == result;
        if (panel.secondSign.isEmpty())
            verdicts.singleSign = verdicts.firstSign;
    }
    if (!panel.secondSign.isEmpty())
        verdicts.doubleChance = result == panel.firstSign || result == panel.secondSign;
    if (const std::optional<bool> leansOver = underOverLeansOver(panel.underOver)) {
        verdicts.underOverLean = *leansOver == over;
        if (isClearUnderOver(panel.underOver))
            verdicts.underOverClear = verdicts.underOverLean;
    }
    if (!panel.goalsBand.isEmpty())
        verdicts.goalsBand = inGoalsBand(panel.goalsBand, goals);
    verdicts.exactScore = exactScoreHit(panel.score, homeGoals, awayGoals);

    verdicts.alwaysHome = result == QLatin1String("1");
    if (odds) {
        const std::array<PricedSign, 3> signs = byPrice(*odds);
        verdicts.bookmakerFavourite = signs[0].sign == result;
        verdicts.bookmakerTopTwo = signs[0].sign == result || signs[1].sign == result;
        if (verdicts.firstSign)
            verdicts.stakeProfit = *verdicts.firstSign ? priceOf(*odds, panel.firstSign) - 1 : -1.0;
    }
    return verdicts;
}

void addMatch(TrackFigures& figures, const std::optional<MatchVerdicts>& verdicts) {
    ++figures.matches;
    if (!verdicts) {
        ++figures.notPredicted;
        return;
    }
    const MatchVerdicts& v = *verdicts;
    figures.firstSign.add(v.firstSign);
    figures.doubleChance.add(v.doubleChance);
    figures.singleSign.add(v.singleSign);
    figures.underOverClear.add(v.underOverClear);
    figures.underOverLean.add(v.underOverLean);
    figures.goalsBand.add(v.goalsBand);
    figures.exactScore.add(v.exactScore);
    figures.alwaysHome.add(v.alwaysHome);
    figures.bookmakerFavourite.add(v.bookmakerFavourite);
    figures.bookmakerTopTwo.add(v.bookmakerTopTwo);
    if (v.stakeProfit) {
        ++figures.bets;
        if (v.firstSign.value_or(false))
            ++figures.betsWon;
        figures.profit += *v.stakeProfit;
    }
}

namespace {

// Where a row stands in the covering index that the league table statements walk (league, team, games,
// goals, rating, then Sr): SUM adds a team's ratings in that order, and an empty value sorts first.
struct IndexKey {
    std::optional<int> games;
    std::optional<int> scored;
    std::optional<int> conceded;
    std::optional<double> points;
    qint64 sr = 0;

    bool operator<(const IndexKey& other) const {
        return std::tie(games, scored, conceded, points, sr) <
               std::tie(other.games, other.scored, other.conceded, other.points, other.sr);
    }
};

void addTo(std::optional<qint64>& sum, std::optional<int> value) {
    if (value)
        sum = sum.value_or(0) + *value;
}

QVariant sumVariant(const std::optional<qint64>& sum) {
    return sum ? QVariant(*sum) : QVariant();
}

// One team's row of the home or away table, kept up to date as rows are passed.
class TableEntry {
public:
    void add(const IndexKey& key) {
        addTo(games_, key.games);
        addTo(scored_, key.scored);
        addTo(conceded_, key.conceded);
        keys_.insert(std::upper_bound(keys_.begin(), keys_.end(), key), key);
    }

    LeagueTableRow row() const {
        std::optional<double> points;
        for (const IndexKey& key : keys_)
            if (key.points)
                points = points.value_or(0.0) + *key.points;
        return {points ? QVariant(*points) : QVariant(), sumVariant(games_), sumVariant(scored_),
                sumVariant(conceded_)};
    }

private:
    std::optional<qint64> games_, scored_, conceded_;
    std::vector<IndexKey> keys_;
};

// A team's opponent-strength sum over the rows dated before the day reached.
class StrengthSum {
public:
    explicit StrengthSum(const std::vector<StrengthRow>* rows) : rows_(rows) {}

    double before(const QString& day) {
        while (rows_ && next_ < rows_->size() && (*rows_)[next_].day < day)
            sum_ += (*rows_)[next_++].strength;
        return sum_;
    }

private:
    const std::vector<StrengthRow>* rows_;
    std::size_t next_ = 0;
    double sum_ = 0;
};

// The main window over the league as the table stood before the day being walked.
class LeagueAsItStood {
public:
    explicit LeagueAsItStood(const WalkRows& rows) : rows_(rows) {
        for (const KeptOdds& kept : rows.odds)
            odds_.insert(matchKey(kept.day, kept.home, kept.away), kept.odds);
        for (const KeptStatistics& kept : rows.statistics)
            if (kept.statistics.over25Odds && kept.statistics.under25Odds)
                underOver_.insert(matchKey(kept.day, kept.home, kept.away),
                                  {*kept.statistics.over25Odds, *kept.statistics.under25Odds});
    }

    void pass(const LeagueRow& row) {
        homeTable_[row.home].add({row.games, row.homeFor, row.homeAgainst, row.homePoints, row.sr});
        awayTable_[row.away].add({row.games, row.awayFor, row.awayAgainst, row.awayPoints, row.sr});
    }

    TrackedMatch predict(const LeagueRow& row) {
        TrackedMatch match;
        match.day = QDate::fromString(row.day, Qt::ISODate);
        match.home = row.home;
        match.away = row.away;
        match.homeGoals = row.homeFor.value_or(0);
        match.awayGoals = row.homeAgainst.value_or(0);
        const auto odds = odds_.constFind(matchKey(row.day, row.home, row.away));
        if (odds != odds_.constEnd())
            match.odds = *odds;
        const auto underOver = underOver_.constFind(matchKey(row.day, row.home, row.away));
        if (underOver != underOver_.constEnd())
            match.underOverOdds = *underOver;

        // The choosers offer every name of the two tables; a league never holds two spellings of one
        // name (registration refuses the second), so a name present is a name offered.
        ComparisonPanel& panel = match.panel;
        match.homeTableRow = rowOf(homeTable_, row.home);
        match.awayTableRow = rowOf(awayTable_, row.away);
        panel.homeTeam = {row.home, offered(row.home)};
        showHomeTeam(panel, match.homeTableRow);
        panel.awayTeam = {row.away, offered(row.away)};
        showAwayTeam(panel, match.awayTableRow);

        double totalGoals = 0; // as the program starts
        TahminOutcome outcome = pressTahmin(
            panel, totalGoals,
            [&] {
                match.homeStrength = strength(homeStrengths_, rows_.homeStrengths, row.home, row.day);
                return *match.homeStrength;
            },
            [&] {
                match.awayStrength = strength(awayStrengths_, rows_.awayStrengths, row.away, row.day);
                return *match.awayStrength;
            });
        match.refusal = std::move(outcome.refusal);
        if (!match.refusal)
            match.verdicts = judgePrediction(panel, match.homeGoals, match.awayGoals, match.odds);
        return match;
    }

private:
    bool offered(const QString& team) const { return homeTable_.contains(team) || awayTable_.contains(team); }

    static std::optional<LeagueTableRow> rowOf(const QHash<QString, TableEntry>& table, const QString& team) {
        const auto found = table.constFind(team);
        if (found == table.constEnd())
            return std::nullopt;
        return found->row();
    }

    static double strength(QHash<QString, StrengthSum>& sums,
                           const QHash<QString, std::vector<StrengthRow>>& rows, const QString& team,
                           const QString& day) {
        auto sum = sums.find(team);
        if (sum == sums.end()) {
            const auto teamRows = rows.constFind(team);
            sum = sums.insert(team, StrengthSum(teamRows == rows.constEnd() ? nullptr : &*teamRows));
        }
        return sum->before(day);
    }

    const WalkRows& rows_;
    QHash<QString, MatchOdds> odds_;
    QHash<QString, UnderOverOdds> underOver_;
    QHash<QString, TableEntry> homeTable_;
    QHash<QString, TableEntry> awayTable_;
    QHash<QString, StrengthSum> homeStrengths_;
    QHash<QString, StrengthSum> awayStrengths_;
};

QString isoDay(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

// The league's played matches, every day of them, with their shots on target and the market's goal means
// where kept: the model takes only those before the day it fits for.
std::vector<model::LeagueMatch> playedMatches(const WalkRows& rows) {
    std::vector<model::LeagueMatch> matches;
    for (const LeagueRow& row : rows.leagueRows) {
        if (!row.homeFor || !row.homeAgainst)
            continue;
        matches.push_back(
            {QDate::fromString(row.day, Qt::ISODate), row.home, row.away, *row.homeFor, *row.homeAgainst});
    }
    addShotsOnTarget(matches, rows.statistics);
    addMarketGoals(matches, rows.market);
    return matches;
}

void addModel(TrackFigures& figures, const TrackedMatch& match) {
    if (match.model && match.modelVerdicts)
        addModelMatch(figures.model, *match.model, match.homeGoals, match.awayGoals, *match.modelVerdicts);
}

void addUp(TrackRecord& record) {
    double profit = 0;
    double closeValue = 0;
    for (TrackedMatch& match : record.matches) {
        addMatch(record.overall, match.verdicts);
        if (record.seasons.empty() || record.seasons.back().season != match.season)
            record.seasons.push_back({match.season, {}});
        addMatch(record.seasons.back().figures, match.verdicts);
        addModel(record.overall, match);
        addModel(record.seasons.back().figures, match);
        if (match.verdicts && match.verdicts->stakeProfit)
            profit += *match.verdicts->stakeProfit;
        match.cumulativeProfit = profit;
        if (match.modelVerdicts)
            for (const ValueBet& bet : match.modelVerdicts->valueBets)
                closeValue += bet.closeValue.value_or(0);
        match.cumulativeCloseValue = closeValue;
    }
}

} // namespace

std::optional<TrackRecord> walkTrackRecord(const WalkRows& rows, const QDate& from, const QDate& to,
                                           const WalkProgress& progress,
                                           const std::optional<ModelWalk>& modelWalk) {
    // Seed rows lie before the first match day; a match row always has its goals.
    QString first = isoDay(kCutOffDate);
    if (from.isValid() && from > kCutOffDate)
        first = isoDay(from);
    const QString last = to.isValid() ? isoDay(to) : QString();
    const QString firstPlayable = isoDay(kCutOffDate);
    std::vector<const LeagueRow*> walked;
    std::vector<QDate> matchDays; // every match read, walked or not: a season is the same whatever the range
    for (const LeagueRow& row : rows.leagueRows) {
        if (row.day < firstPlayable || !row.homeFor || !row.homeAgainst)
            continue;
        matchDays.push_back(QDate::fromString(row.day, Qt::ISODate));
        if (row.day >= first && (last.isEmpty() || row.day <= last))
            walked.push_back(&row);
    }
    const SeasonCalendar seasons(std::move(matchDays));

    TrackRecord record;
    record.league = rows.league;
    record.matches.reserve(walked.size());
    record.withModel = modelWalk.has_value();
    LeagueAsItStood league(rows);
    std::optional<model::LeagueModel> goals;
    QHash<QString, MatchPrices> prices;
    if (modelWalk) {
        goals.emplace(playedMatches(rows), modelWalk->fit);
        prices = matchPrices(rows.quotes, rows.odds, modelWalk->odds);
    }
    std::size_t passed = 0;
    for (std::size_t next = 0; next < walked.size();) {
        const QString& day = walked[next]->day;
        while (passed < rows.leagueRows.size() && rows.leagueRows[passed].day < day)
            league.pass(rows.leagueRows[passed++]);
        for (; next < walked.size() && walked[next]->day == day; ++next) {
            TrackedMatch match = league.predict(*walked[next]);
            match.season = seasons.seasonOf(match.day);
            if (goals) {
                const auto found = prices.constFind(matchKey(day, match.home, match.away));
                if (found != prices.constEnd())
                    match.prices = *found;
                forecastWithModel(*goals, match, *modelWalk);
            }
            record.matches.push_back(std::move(match));
        }
        if (progress && !progress(qsizetype(next), qsizetype(walked.size())))
            return std::nullopt;
    }
    addUp(record);
    return record;
}

std::optional<TrackRecord> trackRecord(Database& database, const QString& league, const QDate& from,
                                       const QDate& to, const WalkProgress& progress,
                                       const std::optional<ModelWalk>& modelWalk) {
    if (modelWalk && !fillMarketViews(database, league, progress))
        return std::nullopt;
    return walkTrackRecord(readWalkRows(database, league, to), from, to, progress, modelWalk);
}

} // namespace vezal
