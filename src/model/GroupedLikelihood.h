#pragma once

#include "model/DixonColes.h"

#include <span>
#include <vector>

namespace vezal::model {

// The weighted likelihood of Likelihood, kept as sums per home-away pairing: within a pairing the means
// are the same for every match, so the weights, the weighted goals of each side and the weights of the
// four low scores are all it needs. One evaluation costs a pass over the pairings, however many matches
// lie behind them.
//
// Matches are added one by one, in any order; weights count from the newest match added. Adding a later
// day multiplies every sum by the same decay, so a walk moves the sums forward instead of rebuilding them.
//
// Each side's count is shotsWeight * goals + (1 - shotsWeight) * c * shots on target, c the goals per shot
// on target of the matches with statistics, weighted alike; a match without statistics counts its goals.
// The low-score correction always reads the real score. At shotsWeight 1 the value is Likelihood's.
//
// A match with the market's goal means adds them to a second part, decayed by marketXi of its own: the
// value is (1 - marketWeight) * the goals' weighted mean + marketWeight * the market means' weighted mean
// of mean * log(λ) - λ, each over its own weights, and the low scores' corrections at their whole weight,
// as rho is the real scores' alone to tell. Without any such match the value is the goals' alone.
class GroupedLikelihood {
public:
    GroupedLikelihood(int teamCount, double xi, double shotsWeight = kDefaultShotsWeight);
    // The decays and shares of the options; shrinkage and tolerances are the fit's.
    explicit GroupedLikelihood(int teamCount, const FitOptions& options);
    // The matches strictly before the day.
    GroupedLikelihood(int teamCount, std::span<const PlayedMatch> matches, DayNumber predictedDay,
                      const FitOptions& options);

    void add(const PlayedMatch& match);

    int teamCount() const { return teamCount_; }
    int parameterCount() const { return 2 * teamCount_ + 2; }
    const std::vector<int>& matchesPlayed() const { return matchesPlayed_; }
    std::size_t matchCount() const { return matchCount_; }
    double totalWeight() const { return totalWeight_; }
    std::size_t pairingCount() const { return pairings_.size(); }
    // The market part's weights summed; 0 when no match had the market's means.
    double marketWeightTotal() const { return marketTotal_; }
    // What one match of weight 1 in the goals' part is divided by in the value: the summed weights alone
    // without the market, more with it (a goals match then counts 1 - marketWeight of a mean), infinite on
    // the market's means alone. The shrinkage is scaled by it, so that it stays so many goals matches'
    // worth.
    double scale() const;
    // Weighted goals per weighted shot on target over the matches with statistics; 0 without any.
    double goalsPerShotOnTarget() const;

    // As Likelihood::value.
    double value(std::span<const double> point, std::span<double> gradient = {}) const;
    Parameters unpack(std::span<const double> point) const { return Likelihood::unpack(teamCount_, point); }

private:
    struct Blend {
        double goals;
        double market;
        double divisor;
        double low;
    };
    Blend blended() const;

    struct Pairing {
        int home = 0;
        int away = 0;
        double weight = 0;
        double homeGoals = 0; // every match
        double awayGoals = 0;
        double homeShotGoals = 0; // the matches with statistics only
        double awayShotGoals = 0;
        double homeShots = 0; // shots on target
        double awayShots = 0;
        double constant = 0;   // the weighted -log(homeGoals!) - log(awayGoals!)
        double low[4] = {};    // the weights of 0-0, 0-1, 1-0, 1-1
        double market = 0;     // the market part's weights, decayed by marketXi
        double marketHome = 0; // its weighted goal means
        double marketAway = 0;
    };
    void decayTo(DayNumber day);

    int teamCount_;
    double xi_;
    double shotsWeight_;
    double marketShare_ = 0;
    double marketXi_ = 0;
    std::vector<Pairing> pairings_;
    std::vector<int> pairingIndex_; // home * teamCount + away; -1 for none yet
    std::vector<int> matchesPlayed_;
    std::size_t matchCount_ = 0;
    bool any_ = false;
    DayNumber newest_ = 0;
    double totalWeight_ = 0;
    double draws_ = 0;     // the weights of every 1-1
    double shotGoals_ = 0; // both sides, matches with statistics
    double shots_ = 0;
    double marketTotal_ = 0;
};

} // namespace vezal::model
