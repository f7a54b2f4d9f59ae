#include "evidence/PerMatchCsv.h"

#include "store/FileTargets.h"
#include "store/StoreError.h"

#include <QDir>
#include <QLocale>
#include <QSaveFile>
#include <QStringList>
#include <csv.h>

namespace vezal {

namespace {

QByteArray field(const QString& text) {
    const QByteArray raw = text.toUtf8();
    QByteArray quoted(qsizetype(csv_write(nullptr, 0, raw.constData(), size_t(raw.size()))),
                      Qt::Uninitialized);
    csv_write(quoted.data(), size_t(quoted.size()), raw.constData(), size_t(raw.size()));
    return quoted;
}

QByteArray line(const QStringList& fields) {
    QByteArray bytes;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            bytes += ',';
        bytes += field(fields.at(i));
    }
    return bytes + "\r\n";
}

QString verdict(const std::optional<bool>& hit) {
    if (!hit)
        return {};
    return *hit ? QStringLiteral("tuttu") : QStringLiteral("tutmadı");
}

QString units(double value) {
    return QString::number(value, 'f', 2);
}

QString price(const std::optional<MatchOdds>& odds, double MatchOdds::*side) {
    return odds ? QString::number((*odds).*side, 'g', QLocale::FloatingPointShortest) : QString();
}

QString probability(const std::optional<ModelProbabilities>& model, double ModelProbabilities::*side) {
    return model ? QString::number((*model).*side, 'f', 4) : QString();
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

QByteArray perMatchCsv(const TrackRecord& record) {
    QByteArray bytes = line(header());
    for (const TrackedMatch& match : record.matches) {
        const ComparisonPanel& panel = match.panel;
        const MatchVerdicts verdicts = match.verdicts.value_or(MatchVerdicts{});
        const bool predicted = match.verdicts.has_value();
        const std::optional<ModelVerdicts>& model = match.modelVerdicts;
        const std::optional<OddsVerdicts> againstOdds = model ? model->againstOdds : std::nullopt;
        bytes += line({
            match.day.toString(QStringLiteral("yyyy-MM-dd")),
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
            price(match.odds, &MatchOdds::home),
            price(match.odds, &MatchOdds::draw),
            price(match.odds, &MatchOdds::away),
            verdict(verdicts.firstSign),
            verdict(verdicts.doubleChance),
            verdict(verdicts.singleSign),
            verdict(verdicts.underOverClear),
            verdict(verdicts.underOverLean),
            verdict(verdicts.goalsBand),
            verdict(verdicts.exactScore),
            verdict(verdicts.bookmakerFavourite),
            verdict(verdicts.bookmakerTopTwo),
            verdicts.stakeProfit ? units(*verdicts.stakeProfit) : QString(),
            units(match.cumulativeProfit),
            predicted ? QString() : match.refusal.value_or(QString()),
            probability(match.model, &ModelProbabilities::home),
            probability(match.model, &ModelProbabilities::draw),
            probability(match.model, &ModelProbabilities::away),
            probability(match.model, &ModelProbabilities::under25),
            model ? verdict(model->signHit) : QString(),
            model ? verdict(model->underOverHit) : QString(),
            againstOdds ? againstOdds->valueSigns : QString(),
            againstOdds && !againstOdds->valueSigns.isEmpty() ? units(againstOdds->valueProfit) : QString(),
            match.modelRefusal.value_or(QString()),
        });
    }
    return bytes;
}

void savePerMatchCsv(const TrackRecord& record, const QString& path) {
    refuseIrregularTarget(path);
    const QByteArray bytes = perMatchCsv(record);
    const auto failed = [&](const QString& reason) {
        return StoreError(
            QStringLiteral("\"%1\" dosyası oluşturulamıyor: %2").arg(QDir::toNativeSeparators(path), reason));
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw failed(file.errorString());
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            throw failed(reason);
        }
        written += count;
    }
    if (!file.commit())
        throw failed(file.errorString());
}

} // namespace vezal
