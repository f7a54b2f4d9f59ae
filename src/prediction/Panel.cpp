#include "prediction/Panel.h"

#include "prediction/Commentary.h"
#include "prediction/Coupon.h"
#include "prediction/Prediction.h"

namespace vezal {

namespace {

const QString& chooseTeamsMessage() {
    static const QString text =
        QStringLiteral("Öncelikle tahminde bulunacağınız takımları doğru seçiniz  ... ");
    return text;
}

void clearPredictionAndMatchNumber(ComparisonPanel& panel) {
    panel.firstSign.clear();
    panel.secondSign.clear();
    panel.thirdSign.clear();
    panel.underOver.clear();
    panel.score = {};
    panel.alternatives = {};
    panel.goalsBand.clear();
    panel.matchNumber.clear();
}

void showFigures(SideFigures& side, const std::optional<LeagueTableRow>& row) {
    if (!row)
        return;
    const FigureTexts texts = figureTexts(*row);
    side = {texts.rating, texts.games, texts.goalsFor, texts.goalsAgainst};
}

std::optional<QString> refusal(const ComparisonPanel& panel, int gh, int ga) {
    if (panel.homeTeam.text == panel.awayTeam.text || !panel.homeTeam.selected || !panel.awayTeam.selected)
        return chooseTeamsMessage();
    if (gh == 0)
        return QStringLiteral(
            "Seçtiğiniz ev sahibi takım henüz maç oynanamamış , tahmin yürütülemiyor  ... ");
    if (ga == 0)
        return QStringLiteral("Seçtiğiniz misafir takım henüz maç oynanamamış , tahmin yürütülemiyor  ... ");
    return std::nullopt;
}

void showForecast(ComparisonPanel& panel, const GoalsForecast& forecast, double& totalGoals) {
    panel.score = {QString::number(forecast.score.home), QString::number(forecast.score.away)};
    totalGoals = forecast.total;
    for (std::size_t i = 0; i < forecast.alternatives.size() && i < panel.alternatives.size(); ++i)
        panel.alternatives[i] = {QString::number(forecast.alternatives[i].home),
                                 QString::number(forecast.alternatives[i].away)};
    panel.underOver = forecast.underOver;
}

} // namespace

void ComparisonPanel::clearAll() {
    *this = ComparisonPanel{};
}

void ComparisonPanel::clearHomeSide() {
    home = {};
    clearPredictionAndMatchNumber(*this);
}

void ComparisonPanel::clearAwaySide() {
    away = {};
    clearPredictionAndMatchNumber(*this);
}

qsizetype signCount(const ComparisonPanel& panel) {
    return characterCount(panel.firstSign + panel.secondSign);
}

bool isClearUnderOver(const QString& underOver) {
    return characterCount(underOver) == 3;
}

void showHomeTeam(ComparisonPanel& panel, const std::optional<LeagueTableRow>& homeTableRow) {
    panel.clearHomeSide();
    showFigures(panel.home, homeTableRow);
}

void showAwayTeam(ComparisonPanel& panel, const std::optional<LeagueTableRow>& awayTableRow) {
    panel.clearAwaySide();
    showFigures(panel.away, awayTableRow);
}

TahminOutcome pressTahmin(ComparisonPanel& panel, double& totalGoals, const StrengthLookup& homeStrength,
                          const StrengthLookup& awayStrength) {
    // A new prediction starts from empty boxes; the alternatives keep theirs until written.
    panel.firstSign.clear();
    panel.secondSign.clear();
    panel.thirdSign.clear();
    panel.underOver.clear();
    panel.score = {};
    panel.goalsBand.clear();

    const int gh = readGames(panel.home.games);
    const int ga = readGames(panel.away.games);
    if (auto refused = refusal(panel, gh, ga))
        return {std::move(refused), {}, {}};

    const double ph = readRating(panel.home.points);
    const double pa = readRating(panel.away.points);
    if (const auto signs = resultSigns(ph, pa)) {
        panel.firstSign = signs->first;
        panel.secondSign = signs->second;
    }

    if (ph > 0 && pa > 0 && readFigure(panel.home.games) > 0 && readFigure(panel.away.games) > 0) {
        PredictionInput in;
        in.ph = ph;
        in.pa = pa;
        in.gh = gh;
        in.ga = ga;
        in.sh = homeStrength();
        in.fh = readFigure(panel.home.goalsFor);
        in.ah = readFigure(panel.home.goalsAgainst);
        in.sa = awayStrength();
        in.fa = readFigure(panel.away.goalsFor);
        in.aa = readFigure(panel.away.goalsAgainst);
        if (const auto forecast = forecastGoals(in))
            showForecast(panel, *forecast, totalGoals);
    }

    Commentary commentary = composeCommentary(panel, totalGoals);
    if (commentary.band)
        panel.goalsBand = *commentary.band;
    return {std::nullopt, std::move(commentary.lines), couponLine(panel)};
}

} // namespace vezal
