// The goals model's side of the track record: its verdicts on one match and their counting.
#include "evidence/TrackRecord.h"

#include "model/Forecast.h"

#include <algorithm>
#include <cmath>

namespace vezal {

namespace {

std::optional<double> ratio(double part, int whole) {
    if (whole == 0)
        return std::nullopt;
    return part / whole;
}

model::Result resultOf(int homeGoals, int awayGoals) {
    if (homeGoals > awayGoals)
        return model::Result::HomeWin;
    if (homeGoals < awayGoals)
        return model::Result::AwayWin;
    return model::Result::Draw;
}

// Ten bins of a tenth each; a probability of 1 belongs to the last.
std::size_t binOf(double probability) {
    const double tenths = std::floor(probability * 10);
    return static_cast<std::size_t>(std::clamp(tenths, 0.0, 9.0));
}

} // namespace

std::optional<double> CalibrationBin::meanPredicted() const {
    return ratio(predicted, count);
}

std::optional<double> CalibrationBin::observed() const {
    return ratio(happened, count);
}

std::optional<double> ModelFigures::valueYieldPercent() const {
    const std::optional<double> perBet = ratio(valueProfit, valueBets);
    if (!perBet)
        return std::nullopt;
    return 100 * *perBet;
}

std::optional<double> ModelFigures::meanModelRps() const {
    return ratio(modelRps, withOdds);
}

std::optional<double> ModelFigures::meanBookmakerRps() const {
    return ratio(bookmakerRps, withOdds);
}

std::optional<double> ModelFigures::meanModelLogLoss() const {
    return ratio(modelLogLoss, withOdds);
}

std::optional<double> ModelFigures::meanBookmakerLogLoss() const {
    return ratio(bookmakerLogLoss, withOdds);
}

std::optional<double> ModelFigures::meanModelUnderOverBrier() const {
    return ratio(modelUnderOverBrier, withUnderOverOdds);
}

std::optional<double> ModelFigures::meanBookmakerUnderOverBrier() const {
    return ratio(bookmakerUnderOverBrier, withUnderOverOdds);
}

std::optional<double> ModelFigures::meanModelUnderOverLogLoss() const {
    return ratio(modelUnderOverLogLoss, withUnderOverOdds);
}

std::optional<double> ModelFigures::meanBookmakerUnderOverLogLoss() const {
    return ratio(bookmakerUnderOverLogLoss, withUnderOverOdds);
}

std::optional<UnderOverScores> judgeUnderOver(double modelUnder25, int totalGoals,
                                              const UnderOverOdds& odds) {
    if (!(std::isfinite(odds.over) && std::isfinite(odds.under) && odds.over > 1 && odds.under > 1))
        return std::nullopt;
    const bool over = totalGoals >= 3;
    const double model = 1 - modelUnder25;
    const double bookmaker = (1 / odds.over) / (1 / odds.over + 1 / odds.under);
    const auto brier = [&](double p) {
        return (p - (over ? 1 : 0)) * (p - (over ? 1 : 0));
    };
    // As the 1X2 log loss: a probability of 0 counts as 1e-15.
    const auto loss = [&](double p) {
        return -std::log(std::max(over ? p : 1 - p, 1e-15));
    };
    return UnderOverScores{brier(model), brier(bookmaker), loss(model), loss(bookmaker)};
}

ModelVerdicts judgeModel(const ModelProbabilities& p, int homeGoals, int awayGoals,
                         const std::optional<MatchOdds>& odds, double valueThreshold) {
    const QString result = resultSign(homeGoals, awayGoals);
    ModelVerdicts verdicts;
    // Strictly higher to overtake, so that ties keep the order 1, 0, 2.
    verdicts.sign = QStringLiteral("1");
    double highest = p.home;
    if (p.draw > highest) {
        verdicts.sign = QStringLiteral("0");
        highest = p.draw;
    }
    if (p.away > highest)
        verdicts.sign = QStringLiteral("2");
    verdicts.signHit = verdicts.sign == result;
    verdicts.over = 1 - p.under25 > p.under25;
    verdicts.underOverHit = verdicts.over == (homeGoals + awayGoals >= 3);

    if (!odds)
        return verdicts;
    const model::ThreeWay prices{odds->home, odds->draw, odds->away};
    if (!model::areValidOdds(prices))
        return verdicts;
    const model::ThreeWay forecast{p.home, p.draw, p.away};
    const model::ThreeWay bookmaker = model::marginFreeProbabilities(prices);
    const model::ThreeWay values = model::expectedValues(forecast, prices);
    const model::Result happened = resultOf(homeGoals, awayGoals);

    OddsVerdicts against;
    const struct {
        const char* sign;
        double value;
        double price;
    } outcomes[] = {
        {"1", values.home, prices.home}, {"0", values.draw, prices.draw}, {"2", values.away, prices.away}};
    for (const auto& outcome : outcomes) {
        if (!(outcome.value > valueThreshold))
            continue;
        const QString sign = QString::fromLatin1(outcome.sign);
        against.valueSigns += sign;
        if (sign == result) {
            against.valueWon = true;
            against.valueProfit += outcome.price - 1;
        } else {
            against.valueProfit -= 1;
        }
    }
    against.modelRps = model::rankedProbabilityScore(forecast, happened);
    against.bookmakerRps = model::rankedProbabilityScore(bookmaker, happened);
    against.modelLogLoss = model::logLoss(forecast, happened);
    against.bookmakerLogLoss = model::logLoss(bookmaker, happened);
    verdicts.againstOdds = against;
    return verdicts;
}

void addModelMatch(ModelFigures& figures, const ModelProbabilities& p, int homeGoals, int awayGoals,
                   const ModelVerdicts& verdicts) {
    ++figures.forecast;
    figures.firstSign.add(verdicts.signHit);
    figures.underOver.add(verdicts.underOverHit);
    if (const std::optional<OddsVerdicts>& odds = verdicts.againstOdds) {
        ++figures.withOdds;
        figures.valueBets += static_cast<int>(odds->valueSigns.size());
        figures.valueWon += odds->valueWon ? 1 : 0;
        figures.valueProfit += odds->valueProfit;
        figures.modelRps += odds->modelRps;
        figures.bookmakerRps += odds->bookmakerRps;
        figures.modelLogLoss += odds->modelLogLoss;
        figures.bookmakerLogLoss += odds->bookmakerLogLoss;
    }
    if (const std::optional<UnderOverScores>& scores = verdicts.againstUnderOver) {
        ++figures.withUnderOverOdds;
        figures.modelUnderOverBrier += scores->modelBrier;
        figures.bookmakerUnderOverBrier += scores->bookmakerBrier;
        figures.modelUnderOverLogLoss += scores->modelLogLoss;
        figures.bookmakerUnderOverLogLoss += scores->bookmakerLogLoss;
    }
    const QString result = resultSign(homeGoals, awayGoals);
    const std::pair<double, bool> outcomes[] = {{p.home, result == QLatin1String("1")},
                                                {p.draw, result == QLatin1String("0")},
                                                {p.away, result == QLatin1String("2")}};
    for (const auto& [probability, happened] : outcomes) {
        CalibrationBin& bin = figures.calibration[binOf(probability)];
        ++bin.count;
        bin.predicted += probability;
        bin.happened += happened ? 1 : 0;
    }
}

} // namespace vezal
