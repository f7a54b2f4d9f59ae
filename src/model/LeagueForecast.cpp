#include "model/LeagueForecast.h"

#include "common/Names.h"
#include "model/ModelMessages.h"

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
        matches_.push_back({indexOf(cutName(m.home)), indexOf(cutName(m.away)), m.day.toJulianDay(),
                            m.homeGoals, m.awayGoals});
        if (!lastDay_.isValid() || m.day > lastDay_)
            lastDay_ = m.day;
    }
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
    fit_ = fitDixonColes(static_cast<int>(teams_.size()), matches_, day.toJulianDay(), options_, start);
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
        result.refusal = text(messages::kSameTeams).arg(home);
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
