#include "windows/TrackRecordWindow.h"

#include "common/Names.h"
#include "evidence/ModelTuning.h"
#include "store/MatchTable.h"
#include "windows/DateBox.h"
#include "windows/Dialogs.h"
#include "windows/TrackRecordFigures.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

// The Başarı window's line of settings: the days walked, the model's xi and the value threshold, the same
// choices vezal-cli track-record takes as --from, --to, --xi and --value-threshold.
namespace vezal {

namespace {

const QString kFromCaption = QStringLiteral("Başlangıç");
const QString kToCaption = QStringLiteral("Bitiş");
const QString kXiCaption = QStringLiteral("ξ");
const QString kThresholdCaption = QStringLiteral("Değer eşiği %");
const QString kFromAfterTo = QStringLiteral("Başlangıç tarihi Bitiş tarihinden sonra olamaz  ... ");
const QString kUsed = QStringLiteral("Ayarlar: %1 - %2, ξ %3, değer eşiği %4.");
const QString kFirstDay = QStringLiteral("ilk maç");
const QString kLastDay = QStringLiteral("son maç");
const QString kDayFormat = QStringLiteral("dd.MM.yyyy");

QDoubleSpinBox* makeNumberBox(const QString& name, int decimals, double maximum, double step,
                              QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setLocale(turkishLocale());
    box->setDecimals(decimals);
    box->setRange(0, maximum);
    box->setSingleStep(step);
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace

QLayout* TrackRecordWindow::buildSettings() {
    fromCheck = new QCheckBox(kFromCaption, this);
    fromCheck->setObjectName(QStringLiteral("FromCheck"));
    fromBox = makeDateBox(QStringLiteral("FromBox"), this);
    toCheck = new QCheckBox(kToCaption, this);
    toCheck->setObjectName(QStringLiteral("ToCheck"));
    toBox = makeDateBox(QStringLiteral("ToBox"), this);
    // A day typed or picked is a day meant: its end of the walk is no longer open.
    connect(fromBox, &QDateEdit::dateChanged, fromCheck, [this] { fromCheck->setChecked(true); });
    connect(toBox, &QDateEdit::dateChanged, toCheck, [this] { toCheck->setChecked(true); });
    const QString openTip = QStringLiteral("İşaretli değilse ligin bütün maçları");
    fromCheck->setToolTip(openTip);
    toCheck->setToolTip(openTip);

    xiBox = makeNumberBox(QStringLiteral("XiBox"), 4, 1, 0.0001, this);
    xiBox->setValue(model::kDefaultXi);
    xiBox->setToolTip(
        QStringLiteral("Gol modelinin günlük zaman azalması; lig seçilince ligin kendi değeri"));
    valueThresholdBox = makeNumberBox(QStringLiteral("ValueThresholdBox"), 1, 100, 0.5, this);
    valueThresholdBox->setValue(100 * kValueThreshold);
    valueThresholdBox->setToolTip(QStringLiteral("Olasılık * oran, 1'i bu kadar aşınca değer bahsi"));

    auto* line = new QHBoxLayout;
    line->addWidget(fromCheck);
    line->addWidget(fromBox);
    line->addSpacing(12);
    line->addWidget(toCheck);
    line->addWidget(toBox);
    line->addSpacing(12);
    line->addWidget(new QLabel(kXiCaption, this));
    line->addWidget(xiBox);
    line->addSpacing(12);
    line->addWidget(new QLabel(kThresholdCaption, this));
    line->addWidget(valueThresholdBox);
    line->addStretch(1);
    return line;
}

// A league newly chosen walks all its days with its own xi; the threshold is the user's and stays.
void TrackRecordWindow::resetSettings(const QString& league) {
    if (league == settingsLeague_)
        return;
    settingsLeague_ = league;
    const std::vector<QDate> days = program_.table().matchDays(league);
    {
        const QSignalBlocker quietFrom(fromBox);
        const QSignalBlocker quietTo(toBox);
        fromBox->setDate(days.empty() ? program_.today() : days.front());
        toBox->setDate(days.empty() ? program_.today() : days.back());
    }
    fromCheck->setChecked(false);
    toCheck->setChecked(false);
    xiBox->setValue(leagueFitOptions(program_.database(), league).xi);
}

std::optional<TrackRecordWindow::WalkSettings> TrackRecordWindow::chosenSettings(const QString& league) {
    WalkSettings settings;
    if (fromCheck->isChecked())
        settings.from = fromBox->date();
    if (toCheck->isChecked())
        settings.to = toBox->date();
    if (settings.from.isValid() && settings.to.isValid() && settings.from > settings.to) {
        program_.dialogs.caution(this, kFromAfterTo);
        return std::nullopt;
    }
    // The league's goals' share stays its own, as the companion keeps it beside --xi.
    settings.modelWalk.fit = leagueFitOptions(program_.database(), league);
    settings.modelWalk.fit.xi = xiBox->value();
    settings.modelWalk.valueThreshold = valueThresholdBox->value() / 100;
    return settings;
}

QString TrackRecordWindow::settingsText(const WalkSettings& settings) const {
    const QLocale turkish = turkishLocale();
    return kUsed.arg(settings.from.isValid() ? turkish.toString(settings.from, kDayFormat) : kFirstDay,
                     settings.to.isValid() ? turkish.toString(settings.to, kDayFormat) : kLastDay,
                     turkish.toString(settings.modelWalk.fit.xi, 'f', 4),
                     percentText(100 * settings.modelWalk.valueThreshold));
}

} // namespace vezal
