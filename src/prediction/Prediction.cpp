#include "prediction/Prediction.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vezal {

namespace {

// Beyond this an expected goal count is no score at all (and would not fit an int).
constexpr long double kMaxExpectedGoals = std::numeric_limits<int>::max() - 1;

bool usable(long double expected) {
    return std::isfinite(expected) && std::fabs(expected) < kMaxExpectedGoals;
}

int whole(long double goals) {
    return static_cast<int>(goals);
}

} // namespace

double pointsRatio(double ph, double pa) {
    return static_cast<double>(static_cast<long double>(ph) / pa * 100);
}

ResultSigns signsForRatio(double ratio) {
    struct Band {
        double from;
        const char* first;
        const char* second;
    };
    static constexpr Band bands[] = {
        {135, "1", ""}, {120, "1", "0"}, {105, "0", "1"}, {95, "0", ""}, {75, "0", "2"}, {65, "2", "0"},
    };
    for (const Band& band : bands) {
        if (ratio >= band.from)
            return {QString::fromLatin1(band.first), QString::fromLatin1(band.second)};
    }
    return {QStringLiteral("2"), QString()};
}

std::optional<ResultSigns> resultSigns(double ph, double pa) {
    if (!(ph > 0 && pa > 0))
        return std::nullopt;
    return signsForRatio(pointsRatio(ph, pa));
}

long double roundGoals(long double expected) {
    const long double fraction = expected - std::trunc(expected);
    return fraction >= 0.5L ? std::ceil(expected) : std::floor(expected);
}

std::vector<Score> scoreCandidates(long double h, long double a) {
    const int homeUp = whole(std::ceil(h)), homeDown = whole(std::floor(h));
    const int awayUp = whole(std::ceil(a)), awayDown = whole(std::floor(a));
    const Score formed[] = {
        {whole(roundGoals(h)), whole(roundGoals(a))},
        {homeUp, awayUp},
        {homeUp, awayDown},
        {homeDown, awayUp},
        {homeDown, awayDown},
    };
    std::vector<Score> list;
    for (const Score& score : formed) {
        if (std::find(list.begin(), list.end(), score) == list.end())
            list.push_back(score);
    }
    return list;
}

QString underOverText(double total) {
    struct Band {
        long double upTo;
        const char16_t* text;
    };
    static constexpr Band bands[] = {
        {2.0L, u"ALT"},
        {2.4L, u"% 90 Alt - % 10 Üst"},
        {2.6L, u"% 75 Alt - % 25 Üst"},
        {2.8L, u"% 60 Alt - % 40 Üst"},
        {3.2L, u"% 50 Alt - % 50 Üst"},
        {3.4L, u"% 60 Üst - % 40 Alt"},
        {3.6L, u"% 75 Üst - % 25 Alt"},
        {3.8L, u"% 90 Üst - % 10 Alt"},
    };
    const long double t = total;
    for (const Band& band : bands) {
        if (t <= band.upTo)
            return QString::fromUtf16(band.text);
    }
    return QStringLiteral("ÜST");
}

std::optional<GoalsForecast> forecastGoals(const PredictionInput& in) {
    if (!(in.ph > 0 && in.pa > 0 && in.gh > 0 && in.ga > 0 && in.sh > 0 && in.sa > 0))
        return std::nullopt;
    const long double gh = in.gh, ga = in.ga, ph = in.ph, pa = in.pa;
    const long double oh = in.sh / gh; // average opponent met at home
    const long double oa = in.sa / ga; // average opponent met away

    GoalsForecast f;
    f.x1 = static_cast<double>(in.fh / gh * (oh / pa));
    f.y1 = static_cast<double>(in.ah / gh * (pa / oh));
    f.y2 = static_cast<double>(in.fa / ga * (oa / ph));
    f.x2 = static_cast<double>(in.aa / ga * (ph / oa));
    f.h = (static_cast<long double>(f.x1) + f.x2) / 2;
    f.a = (static_cast<long double>(f.y1) + f.y2) / 2;
    if (!usable(f.h) || !usable(f.a))
        return std::nullopt;
    f.total = static_cast<double>(f.h + f.a);

    std::vector<Score> candidates = scoreCandidates(f.h, f.a);
    f.score = candidates.front();
    f.alternatives.assign(candidates.begin() + 1, candidates.end());
    f.underOver = underOverText(f.total);
    return f;
}

Prediction predict(const PredictionInput& in) {
    return {resultSigns(in.ph, in.pa), forecastGoals(in)};
}

} // namespace vezal
