#include "evidence/ModelTuning.h"

#include "model/LeagueForecast.h"
#include "store/WriteTransaction.h"

#include <cmath>

namespace vezal {

namespace {

// The model's walk at one grid point: the mean log loss over the scored matches, and how many they were.
struct Walked {
    double logLoss = 0;
    int scored = 0;
};

struct ScoredMatch {
    QDate day;
    QString home;
    QString away;
    model::Result result;
};

model::Result resultOf(int homeGoals, int awayGoals) {
    if (homeGoals > awayGoals)
        return model::Result::HomeWin;
    if (homeGoals < awayGoals)
        return model::Result::AwayWin;
    return model::Result::Draw;
}

Walked walkOnce(const std::vector<model::LeagueMatch>& matches, const std::vector<ScoredMatch>& scored,
                const model::FitOptions& options) {
    model::LeagueModel league(matches, options);
    Walked walked;
    double sum = 0;
    for (const ScoredMatch& m : scored) {
        const model::PairingForecast f = league.forecast(m.home, m.away, m.day);
        if (f.refusal)
            continue;
        sum += model::logLoss(f.forecast.outcome, m.result);
        ++walked.scored;
    }
    walked.logLoss = walked.scored > 0 ? sum / walked.scored : 0;
    return walked;
}

// The lower loss; an even one goes to the larger goals' share, then to the smaller xi.
bool better(const TuningPoint& a, const TuningPoint& b) {
    if (a.logLoss != b.logLoss)
        return a.logLoss < b.logLoss;
    if (a.shotsWeight != b.shotsWeight)
        return a.shotsWeight > b.shotsWeight;
    return a.xi < b.xi;
}

} // namespace

std::optional<ModelTuning> tuneModel(const WalkRows& rows, const QDate& to, const WalkProgress& progress) {
    std::vector<model::LeagueMatch> matches;
    bool anyShots = false;
    {
        QHash<QString, const MatchStatistics*> statistics;
        const auto key = [](const QString& day, const QString& home, const QString& away) {
            return day + QChar(0) + home + QChar(0) + away;
        };
        for (const KeptStatistics& kept : rows.statistics)
            if (kept.statistics.homeShotsOnTarget && kept.statistics.awayShotsOnTarget)
                statistics.insert(key(kept.day, kept.home, kept.away), &kept.statistics);
        for (const LeagueRow& row : rows.leagueRows) {
            if (!row.homeFor || !row.homeAgainst)
                continue;
            const QDate day = QDate::fromString(row.day, Qt::ISODate);
            if (to.isValid() && day > to)
                continue;
            model::LeagueMatch match{day, row.home, row.away, *row.homeFor, *row.homeAgainst};
            if (const MatchStatistics* s = statistics.value(key(row.day, row.home, row.away))) {
                match.homeShotsOnTarget = s->homeShotsOnTarget;
                match.awayShotsOnTarget = s->awayShotsOnTarget;
                anyShots = true;
            }
            matches.push_back(std::move(match));
        }
    }
    if (matches.empty())
        return std::nullopt;

    ModelTuning tuning;
    tuning.lastSeason = seasonOf(matches.back().day);
    bool earlier = false;
    for (const model::LeagueMatch& m : matches)
        earlier = earlier || seasonOf(m.day) != tuning.lastSeason;
    std::vector<ScoredMatch> scored;
    for (const model::LeagueMatch& m : matches)
        if (!earlier || seasonOf(m.day) != tuning.lastSeason)
            scored.push_back({m.day, m.home, m.away, resultOf(m.homeGoals, m.awayGoals)});

    const qsizetype total = qsizetype(std::size(kTuningXis) * std::size(kTuningShotsWeights));
    qsizetype done = 0;
    std::optional<TuningPoint> best;
    for (const double xi : kTuningXis) {
        // Without any shots on target every share fits on goals alone, to the last bit: walk it once.
        std::optional<Walked> goalsOnly;
        for (const double weight : kTuningShotsWeights) {
            Walked walked;
            if (!anyShots && goalsOnly) {
                walked = *goalsOnly;
            } else {
                model::FitOptions options;
                options.xi = xi;
                options.shotsWeight = anyShots ? weight : 1;
                walked = walkOnce(matches, scored, options);
                if (!anyShots)
                    goalsOnly = walked;
            }
            if (walked.scored == 0)
                return std::nullopt;
            tuning.scored = walked.scored;
            const TuningPoint point{xi, weight, walked.logLoss};
            tuning.grid.push_back(point);
            if (!best || better(point, *best))
                best = point;
            ++done;
            if (progress && !progress(done, total))
                return std::nullopt;
        }
    }
    tuning.choice = {best->xi, best->shotsWeight};
    return tuning;
}

model::FitOptions leagueFitOptions(Database& database, const QString& league) {
    model::FitOptions options;
    if (const std::optional<ModelChoice> kept = ModelChoiceTable(database).find(league)) {
        options.xi = kept->xi;
        options.shotsWeight = kept->shotsWeight;
    }
    return options;
}

std::optional<ModelTuning> tuneLeague(Database& database, const QString& league, const QDate& to,
                                      const WalkProgress& progress) {
    const std::optional<ModelTuning> tuning = tuneModel(readWalkRows(database, league, to), to, progress);
    if (!tuning)
        return std::nullopt;
    WriteTransaction transaction(database);
    ModelChoiceTable(database).put(league, tuning->choice);
    transaction.commit();
    return tuning;
}

} // namespace vezal
