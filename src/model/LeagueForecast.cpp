#include "model/LeagueForecast.h"

#include "common/Names.h"
#include "model/ModelMessages.h"

#include <algorithm>

namespace vezal::model {

namespace {

QString text(const char16_t* message) {
    return QString::fromUtf16(message);
}

QString mean(double value) {
    return QString::number(value, 'g', 4);
}

} // namespace

LeagueModel::LeagueModel(const std::vector<LeagueMatch>& matches, FitOptions options) : options_(options) {
    const auto indexOf = [this](const QString& name) {
        const auto found = index_.constFind(name);
        if (found != index_.constEnd())
            return *found;
        const int added = static_cast<int>(teams_.size());
        teams_ << name;
        index_.insert(name, added);
        return added;
    };
    matches_.reserve(matches.size());
    for (const LeagueMatch& m : matches) {
        if (!m.day.isValid() || cutName(m.home) == cutName(m.away))
            continue;
        PlayedMatch played{indexOf(cutName(m.home)), indexOf(cutName(m.away)), m.day.toJulianDay(),
                           m.homeGoals, m.awayGoals};
        if (m.homeShotsOnTarget && m.awayShotsOnTarget && *m.homeShotsOnTarget >= 0 &&
            *m.awayShotsOnTarget >= 0) {
            played.homeShotsOnTarget = *m.homeShotsOnTarget;
            played.awayShotsOnTarget = *m.awayShotsOnTarget;
        }
        if (m.marketHomeGoals && m.marketAwayGoals && *m.marketHomeGoals >= 0 && *m.marketAwayGoals >= 0) {
            played.marketHomeGoals = *m.marketHomeGoals;
            played.marketAwayGoals = *m.marketAwayGoals;
        }
        matches_.push_back(played);
        if (!lastDay_.isValid() || m.day > lastDay_)
            lastDay_ = m.day;
    }
    byDay_.resize(matches_.size());
    for (std::size_t i = 0; i < byDay_.size(); ++i)
        byDay_[i] = i;
    std::stable_sort(byDay_.begin(), byDay_.end(),
                     [this](std::size_t a, std::size_t b) { return matches_[a].day < matches_[b].day; });
}

std::optional<int> LeagueModel::teamIndex(const QString& name) const {
    const auto found = index_.constFind(cutName(name));
    if (found == index_.constEnd())
        return std::nullopt;
    return *found;
}

const Fit& LeagueModel::fitFor(const QDate& day) {
    if (fit_ && fitDay_ == day)
        return *fit_;
    const Parameters* start = fit_ ? &fit_->parameters : nullptr;
    const DayNumber predicted = day.toJulianDay();
    if (!sums_ || predicted < sumsDay_) {
        sums_.emplace(static_cast<int>(teams_.size()), options_);
        summed_ = 0;
    }
    for (; summed_ < byDay_.size() && matches_[byDay_[summed_]].day < predicted; ++summed_)
        sums_->add(matches_[byDay_[summed_]]);
    sumsDay_ = predicted;
    fit_ = fitLikelihood(*sums_, options_, start);
    fitDay_ = day;
    return *fit_;
}

PairingForecast LeagueModel::forecast(const QString& home, const QString& away, const QDate& day,
                                      const std::optional<ThreeWay>& odds) {
    PairingForecast result;
    const std::optional<int> h = teamIndex(home);
    const std::optional<int> a = teamIndex(away);
    if (!h) {
        result.refusal = text(messages::kHomeTeamUnknown).arg(home);
        return result;
    }
    if (!a) {
        result.refusal = text(messages::kAwayTeamUnknown).arg(away);
        return result;
    }
    if (*h == *a) {
        result.refusal = text(messages::kSamePairingTeams).arg(home);
        return result;
    }
    const Fit& fit = fitFor(day);
    for (const int team : {*h, *a})
        if (fit.matchesPlayed[team] < kLeastMatches) {
            result.refusal = text(messages::kTooFewMatches)
                                 .arg(teams_.at(team), showDate(day))
                                 .arg(fit.matchesPlayed[team])
                                 .arg(kLeastMatches);
            return result;
        }

    result.homeMean = fit.parameters.homeMean(*h, *a);
    result.awayMean = fit.parameters.awayMean(*h, *a);
    result.matchesFitted = fit.matchCount;
    const std::optional<MatchForecast> forecast =
        forecastMatch(result.homeMean, result.awayMean, fit.parameters.rho);
    if (!forecast) {
        result.refusal = text(messages::kNoSensibleForecast)
                             .arg(teams_.at(*h), teams_.at(*a), mean(result.homeMean), mean(result.awayMean));
        return result;
    }
    result.forecast = *forecast;
    result.fairHome = fairOdds(forecast->outcome.home);
    result.fairDraw = fairOdds(forecast->outcome.draw);
    result.fairAway = fairOdds(forecast->outcome.away);
    if (odds && areValidOdds(*odds)) {
        result.expectedValues = expectedValues(forecast->outcome, *odds);
        result.bookmaker = marginFreeProbabilities(*odds);
    }
    return result;
}

} // namespace vezal::model
