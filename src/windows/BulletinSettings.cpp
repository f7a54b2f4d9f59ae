#include "windows/BulletinWindow.h"

#include "common/Names.h"
#include "common/Odds.h"
#include "windows/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSettings>
#include <cmath>

// The bulletin's stake settings and its fixture file: read from their boxes, and kept between starts in
// bulten.ini.
namespace vezal {

namespace {

const QString kSettingsFile = QStringLiteral("bulten.ini");
const QString kBadNumber = QStringLiteral("%1 için geçerli bir sayı girin  ... ");
const QString kFileKey = QStringLiteral("file");
const QString kBankrollName = QStringLiteral("Kasa");

} // namespace

QString BulletinWindow::settingsPath() const {
    return QDir(program_.folder).filePath(kSettingsFile);
}

void BulletinWindow::loadSettings() {
    const QSettings settings(settingsPath(), QSettings::IniFormat);
    const BulletinRule usual;
    QLocale turkish = turkishLocale();
    turkish.setNumberOptions(QLocale::OmitGroupSeparator); // "1000": a point would read as a decimal mark
    const auto value = [&](const char* name, double fallback) {
        return turkish.toString(settings.value(QString::fromLatin1(name), fallback).toDouble(), 'g', 10);
    };
    bankrollBox->setText(value("bankroll", usual.stake.bankroll));
    fractionBox->setText(value("kelly", usual.stake.kellyFraction));
    thresholdBox->setText(value("threshold", usual.stake.threshold));
    maxStakeBox->setText(value("maxStake", usual.stake.maxStake));
    totalMaxBox->setText(value("totalMax", usual.stake.totalMax));
    commissionBox->setText(value("commission", usual.odds.commission));
    bookmakersBox->setText(settings.value(QStringLiteral("bookmakers")).toString());
    fairBox->setChecked(settings.value(QStringLiteral("fairRows"), usual.fairRows).toBool());
    const QString file = settings.value(kFileKey).toString();
    if (!file.isEmpty() && QFileInfo(file).isFile()) {
        path_ = file;
        fileBox->setText(QDir::toNativeSeparators(file));
    }
    const QString odds = settings.value(QStringLiteral("odds"), QStringLiteral("best")).toString();
    oddsBox->setCurrentIndex(odds == QLatin1String("best")  ? 0
                             : odds == QLatin1String("avg") ? 1
                                                            : std::max(0, oddsBox->findText(odds)));
}

void BulletinWindow::saveSettings(const BulletinRule& rule) {
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("bankroll"), rule.stake.bankroll);
    settings.setValue(QStringLiteral("kelly"), rule.stake.kellyFraction);
    settings.setValue(QStringLiteral("threshold"), rule.stake.threshold);
    settings.setValue(QStringLiteral("maxStake"), rule.stake.maxStake);
    settings.setValue(QStringLiteral("totalMax"), rule.stake.totalMax);
    settings.setValue(QStringLiteral("commission"), rule.odds.commission);
    // As typed: the codes are checked against each file listed.
    settings.setValue(QStringLiteral("bookmakers"), bookmakersBox->text().trimmed());
    settings.setValue(QStringLiteral("odds"), rule.odds.text());
    settings.setValue(QStringLiteral("fairRows"), rule.fairRows);
}

void BulletinWindow::saveFile(const QString& path) {
    QSettings(settingsPath(), QSettings::IniFormat).setValue(kFileKey, path);
}

std::optional<BulletinRule> BulletinWindow::readRule() {
    BulletinRule rule;
    // The bankroll by the one rule for an amount, which names its bounds.
    if (const std::optional<double> bankroll = readAmount(bankrollBox->text())) {
        rule.stake.bankroll = *bankroll;
    } else {
        program_.dialogs.caution(this,
                                 QString::fromUtf16(kAmountRefused).arg(kBankrollName, bankrollBox->text()));
        bankrollBox->setFocus(Qt::OtherFocusReason);
        return std::nullopt;
    }
    const struct {
        QLineEdit* box;
        const char* name;
        double* value;
        double least;
        bool leastAllowed;
        double most;
    } boxes[] = {
        {fractionBox, "Kelly payı", &rule.stake.kellyFraction, 0, false, 1},
        {thresholdBox, "Değer eşiği", &rule.stake.threshold, 0, true, 100},
        {maxStakeBox, "En çok pay", &rule.stake.maxStake, 0, false, 1},
        {totalMaxBox, "Toplam en çok", &rule.stake.totalMax, 0, false, 1},
        {commissionBox, "Komisyon", &rule.odds.commission, 0, true, 1},
    };
    for (const auto& b : boxes) {
        QString typed = b.box->text().trimmed();
        typed.replace(QLatin1Char('.'), QLatin1Char(','));
        bool ok = false;
        const double value = turkishLocale().toDouble(typed, &ok);
        const bool aboveLeast = b.leastAllowed ? value >= b.least : value > b.least;
        if (!ok || !std::isfinite(value) || !aboveLeast || value > b.most) {
            program_.dialogs.caution(this, kBadNumber.arg(QString::fromUtf8(b.name)));
            b.box->setFocus(Qt::OtherFocusReason);
            return std::nullopt;
        }
        *b.value = value;
    }
    const int odds = oddsBox->currentIndex();
    const double commission = rule.odds.commission;
    rule.odds = *OddsChoice::fromText(odds <= 0   ? QStringLiteral("best")
                                      : odds == 1 ? QStringLiteral("avg")
                                                  : oddsBox->currentText());
    rule.odds.commission = commission;
    rule.fairRows = fairBox->isChecked();
    return rule;
}

} // namespace vezal
