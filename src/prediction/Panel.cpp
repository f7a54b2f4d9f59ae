#include "prediction/Panel.h"

#include "prediction/Commentary.h"
#include "prediction/Coupon.h"
#include "prediction/Prediction.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace vezal {

namespace {

constexpr int kHomeSide[] = {1, 3, 5, 7};
constexpr int kAwaySide[] = {2, 4, 6, 8};
constexpr int kFirstPredictionBox = 9;
constexpr int kLastPredictionBox = 21;
constexpr int kMatchNumberBox = 25;
constexpr int kBandBox = 21;
// The boxes a new prediction starts from empty; the alternatives keep theirs until written.
constexpr int kEmptiedByTahmin[] = {9, 10, 11, 12, 13, 14, 21};
constexpr int kAlternativeBoxes[][2] = {{15, 16}, {17, 18}, {19, 20}};

std::size_t boxIndex(int number) {
    const auto& numbers = ComparisonPanel::kMemoNumbers;
    if (std::find(numbers.begin(), numbers.end(), number) == numbers.end())
        throw std::out_of_range("the comparison panel has no box Memo" + std::to_string(number));
    return static_cast<std::size_t>(number);
}

const QString& chooseTeamsMessage() {
    static const QString text =
        QStringLiteral("Öncelikle tahminde bulunacağınız takımları doğru seçiniz  ... ");
    return text;
}

void clearPredictionAndMatchNumber(ComparisonPanel& panel) {
    for (int n = kFirstPredictionBox; n <= kLastPredictionBox; ++n)
        panel.memo(n).clear();
    panel.memo(kMatchNumberBox).clear();
}

void showFigures(ComparisonPanel& panel, const int (&side)[4], const std::optional<LeagueTableRow>& row) {
    if (!row)
        return;
    const FigureTexts texts = figureTexts(*row);
    panel.memo(side[0]) = texts.rating;
    panel.memo(side[1]) = texts.games;
    panel.memo(side[2]) = texts.goalsFor;
    panel.memo(side[3]) = texts.goalsAgainst;
}

std::optional<QString> refusal(const ComparisonPanel& panel, int gh, int ga) {
    if (panel.comboBox3.text == panel.comboBox4.text || !panel.comboBox3.selected ||
        !panel.comboBox4.selected)
        return chooseTeamsMessage();
    if (gh == 0)
        return QStringLiteral(
            "Seçtiğiniz ev sahibi takım henüz maç oynanamamış , tahmin yürütülemiyor  ... ");
    if (ga == 0)
        return QStringLiteral("Seçtiğiniz misafir takım henüz maç oynanamamış , tahmin yürütülemiyor  ... ");
    return std::nullopt;
}

void showForecast(ComparisonPanel& panel, const GoalsForecast& forecast, double& totalGoals) {
    panel.memo(13) = QString::number(forecast.score.home);
    panel.memo(14) = QString::number(forecast.score.away);
    totalGoals = forecast.total;
    for (std::size_t i = 0; i < forecast.alternatives.size() && i < std::size(kAlternativeBoxes); ++i) {
        panel.memo(kAlternativeBoxes[i][0]) = QString::number(forecast.alternatives[i].home);
        panel.memo(kAlternativeBoxes[i][1]) = QString::number(forecast.alternatives[i].away);
    }
    panel.memo(12) = forecast.underOver;
}

} // namespace

QString& ComparisonPanel::memo(int number) {
    return memos_[boxIndex(number)];
}

const QString& ComparisonPanel::memo(int number) const {
    return memos_[boxIndex(number)];
}

void ComparisonPanel::Temizle1() {
    for (int n : kMemoNumbers)
        memo(n).clear();
}

void ComparisonPanel::Temizle2() {
    for (int n : kHomeSide)
        memo(n).clear();
    clearPredictionAndMatchNumber(*this);
}

void ComparisonPanel::Temizle3() {
    for (int n : kAwaySide)
        memo(n).clear();
    clearPredictionAndMatchNumber(*this);
}

qsizetype signCount(const ComparisonPanel& panel) {
    return characterCount(panel.memo(9) + panel.memo(10));
}

bool isClearUnderOver(const QString& underOver) {
    return characterCount(underOver) == 3;
}

void showHomeTeam(ComparisonPanel& panel, const std::optional<LeagueTableRow>& homeTableRow) {
    panel.Temizle2();
    showFigures(panel, kHomeSide, homeTableRow);
}

void showAwayTeam(ComparisonPanel& panel, const std::optional<LeagueTableRow>& awayTableRow) {
    panel.Temizle3();
    showFigures(panel, kAwaySide, awayTableRow);
}

TahminOutcome pressTahmin(ComparisonPanel& panel, double& totalGoals, const StrengthLookup& homeStrength,
                          const StrengthLookup& awayStrength) {
    for (int n : kEmptiedByTahmin)
        panel.memo(n).clear();

    const int gh = readGames(panel.memo(3));
    const int ga = readGames(panel.memo(4));
    if (auto refused = refusal(panel, gh, ga))
        return {std::move(refused), {}, {}};

    const double ph = readRating(panel.memo(1));
    const double pa = readRating(panel.memo(2));
    if (const auto signs = resultSigns(ph, pa)) {
        panel.memo(9) = signs->first;
        panel.memo(10) = signs->second;
    }

    if (ph > 0 && pa > 0 && readFigure(panel.memo(3)) > 0 && readFigure(panel.memo(4)) > 0) {
        PredictionInput in;
        in.ph = ph;
        in.pa = pa;
        in.gh = gh;
        in.ga = ga;
        in.sh = homeStrength();
        in.fh = readFigure(panel.memo(5));
        in.ah = readFigure(panel.memo(7));
        in.sa = awayStrength();
        in.fa = readFigure(panel.memo(6));
        in.aa = readFigure(panel.memo(8));
        if (const auto forecast = forecastGoals(in))
            showForecast(panel, *forecast, totalGoals);
    }

    Commentary commentary = composeCommentary(panel, totalGoals);
    if (commentary.band)
        panel.memo(kBandBox) = *commentary.band;
    return {std::nullopt, std::move(commentary.lines), couponLine(panel)};
}

} // namespace vezal
