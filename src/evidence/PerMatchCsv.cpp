#include "evidence/PerMatchCsv.h"

#include <QDir>
#include <QLocale>
#include <QStringList>

namespace vezal {

namespace {

QString verdict(const std::optional<bool>& hit) {
    if (!hit)
        return {};
    return *hit ? QStringLiteral("tuttu") : QStringLiteral("tutmadı");
}

QString units(double value, CsvForm form) {
    return csvNumber(QString::number(value, 'f', 2), form);
}

QString price(const std::optional<MatchOdds>& odds, double MatchOdds::*side, CsvForm form) {
    return odds ? csvNumber(QString::number((*odds).*side, 'g', QLocale::FloatingPointShortest), form)
                : QString();
}

QString probability(const std::optional<ModelProbabilities>& model, double ModelProbabilities::*side,
                    CsvForm form) {
    return model ? csvNumber(QString::number((*model).*side, 'f', 4), form) : QString();
}

QString pair(const ScoreTexts& score) {
    if (score.home.isEmpty() && score.away.isEmpty())
        return {};
    return score.home + QStringLiteral(" - ") + score.away;
}

const QStringList& header() {
    static const QStringList names = {
        QStringLiteral("Tarih"),
        QStringLiteral("Sezon"),
        QStringLiteral("Ev Sahibi"),
        QStringLiteral("Misafir"),
        QStringLiteral("Ev Gol"),
        QStringLiteral("Misafir Gol"),
        QStringLiteral("Sonuç"),
        QStringLiteral("Maç Sonucu 1"),
        QStringLiteral("Maç Sonucu 2"),
        QStringLiteral("Altı - Üstü"),
        QStringLiteral("Toplam Gol"),
        QStringLiteral("Skor Ev"),
        QStringLiteral("Skor Misafir"),
        QStringLiteral("Alternatif 1"),
        QStringLiteral("Alternatif 2"),
        QStringLiteral("Alternatif 3"),
        QStringLiteral("Oran 1"),
        QStringLiteral("Oran 0"),
        QStringLiteral("Oran 2"),
        QStringLiteral("İlk İşaret"),
        QStringLiteral("Çifte Şans"),
        QStringLiteral("Tek İşaret"),
        QStringLiteral("Alt/Üst Kesin"),
        QStringLiteral("Alt/Üst Eğilim"),
        QStringLiteral("Gol Aralığı"),
        QStringLiteral("Skor"),
        QStringLiteral("Favori"),
        QStringLiteral("İlk İki Oran"),
        QStringLiteral("Bahis Kârı"),
        QStringLiteral("Toplam Kâr"),
        QStringLiteral("Tahmin Yapılmadı"),
        QStringLiteral("Model 1"),
        QStringLiteral("Model 0"),
        QStringLiteral("Model 2"),
        QStringLiteral("Model 2,5 Alt"),
        QStringLiteral("Model İşareti"),
        QStringLiteral("Model Alt/Üst"),
        QStringLiteral("Değer Bahisleri"),
        QStringLiteral("Değer Kârı"),
        QStringLiteral("Model Olasılığı Yok"),
    };
    return names;
}

} // namespace

QByteArray perMatchCsv(const TrackRecord& record, CsvForm form) {
    QList<QStringList> lines = {header()};
    for (const TrackedMatch& match : record.matches) {
        const ComparisonPanel& panel = match.panel;
        const MatchVerdicts verdicts = match.verdicts.value_or(MatchVerdicts{});
        const bool predicted = match.verdicts.has_value();
        const std::optional<ModelVerdicts>& model = match.modelVerdicts;
        const std::optional<OddsVerdicts> againstOdds = model ? model->againstOdds : std::nullopt;
        lines.append({
            match.day.toString(form == CsvForm::Turkish ? QStringLiteral("dd.MM.yyyy")
                                                        : QStringLiteral("yyyy-MM-dd")),
            match.season,
            match.home,
            match.away,
            QString::number(match.homeGoals),
            QString::number(match.awayGoals),
            resultSign(match.homeGoals, match.awayGoals),
            panel.firstSign,
            panel.secondSign,
            panel.underOver,
            panel.goalsBand,
            panel.score.home,
            panel.score.away,
            pair(panel.alternatives[0]),
            pair(panel.alternatives[1]),
            pair(panel.alternatives[2]),
            price(match.odds, &MatchOdds::home, form),
            price(match.odds, &MatchOdds::draw, form),
            price(match.odds, &MatchOdds::away, form),
            verdict(verdicts.firstSign),
            verdict(verdicts.doubleChance),
            verdict(verdicts.singleSign),
            verdict(verdicts.underOverClear),
            verdict(verdicts.underOverLean),
            verdict(verdicts.goalsBand),
            verdict(verdicts.exactScore),
            verdict(verdicts.bookmakerFavourite),
            verdict(verdicts.bookmakerTopTwo),
            verdicts.stakeProfit ? units(*verdicts.stakeProfit, form) : QString(),
            units(match.cumulativeProfit, form),
            predicted ? QString() : match.refusal.value_or(QString()),
            probability(match.model, &ModelProbabilities::home, form),
            probability(match.model, &ModelProbabilities::draw, form),
            probability(match.model, &ModelProbabilities::away, form),
            probability(match.model, &ModelProbabilities::under25, form),
            model ? verdict(model->signHit) : QString(),
            model ? verdict(model->underOverHit) : QString(),
            againstOdds ? againstOdds->valueSigns : QString(),
            againstOdds && !againstOdds->valueSigns.isEmpty() ? units(againstOdds->valueProfit, form)
                                                              : QString(),
            match.modelRefusal.value_or(QString()),
        });
    }
    return csvText(lines, form);
}

void savePerMatchCsv(const TrackRecord& record, const QString& path, CsvForm form) {
    saveCsvBytes(perMatchCsv(record, form), path);
}

} // namespace vezal
