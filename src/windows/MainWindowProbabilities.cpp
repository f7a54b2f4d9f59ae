#include "windows/MainWindow.h"

#include "common/Names.h"
#include "common/Odds.h"
#include "evidence/PairingProbabilities.h"
#include "windows/Dialogs.h"
#include "windows/KeyRules.h"
#include "windows/Program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

// The "Olasılıklar" panel: a second opinion from the fitted goals model, filled by "Tahmin". The program's
// own boxes, commentary and coupon keep their rules; the panel's line joins the commentary only when asked.
namespace vezal {

namespace {

QString percent(double probability) {
    return QStringLiteral("%") + turkishLocale().toString(100 * probability, 'f', 1);
}

QString decimal(double value) {
    return turkishLocale().toString(value, 'f', 2);
}

QString fair(const std::optional<double>& odds) {
    return odds ? decimal(*odds) : QStringLiteral("-");
}

} // namespace

QWidget* MainWindow::buildProbabilityPanel() {
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("ProbabilityPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setFixedHeight(kProbabilityPanelHeight);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 2, 8, 2);
    grid->setVerticalSpacing(0);

    auto* title = new QLabel(QStringLiteral("OLASILIKLAR"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    const auto line = [](const char* name) {
        auto* label = new QLabel;
        label->setObjectName(QString::fromLatin1(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    outcomeLine = line("OutcomeProbabilities");
    goalsLine = line("GoalsProbabilities");
    scoresLine = line("LikelyScores");
    valueLine = line("ValueLine");

    auto* odds = new QHBoxLayout;
    odds->setSpacing(3);
    odds->addWidget(new QLabel(QStringLiteral("Oran")));
    const char* names[] = {"OddsHomeBox", "OddsDrawBox", "OddsAwayBox"};
    const char* tips[] = {"Ev sahibi kazanır oranı (1)", "Beraberlik oranı (0)", "Misafir kazanır oranı (2)"};
    for (std::size_t i = 0; i < oddsBoxes.size(); ++i) {
        oddsBoxes[i] = new QLineEdit;
        oddsBoxes[i]->setObjectName(QString::fromLatin1(names[i]));
        oddsBoxes[i]->setToolTip(QString::fromUtf8(tips[i]));
        oddsBoxes[i]->setFixedWidth(40);
        oddsBoxes[i]->setMaxLength(6);
        oddsBoxes[i]->setAlignment(Qt::AlignCenter);
        KeyRule::install(oddsBoxes[i], KeyRule::Typed::DigitsAndDecimalMark);
        odds->addWidget(oddsBoxes[i]);
    }
    addToCommentaryBox = new QCheckBox(QStringLiteral("Yoruma ekle"));
    addToCommentaryBox->setObjectName(QStringLiteral("AddProbabilitiesBox"));
    addToCommentaryBox->setToolTip(QStringLiteral("Olasılıklar satırı Tahmin'in yorumuna da yazılır"));
    odds->addWidget(addToCommentaryBox);

    grid->addWidget(title, 0, 0);
    grid->addWidget(outcomeLine, 0, 1);
    grid->addLayout(odds, 0, 2, Qt::AlignRight);
    grid->addWidget(goalsLine, 1, 1, 1, 2);
    grid->addWidget(scoresLine, 2, 1);
    grid->addWidget(valueLine, 2, 2, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    return panel;
}

void MainWindow::clearProbabilities() {
    for (QLabel* label : {outcomeLine, goalsLine, scoresLine, valueLine})
        label->clear();
}

void MainWindow::clearOdds() {
    for (QLineEdit* box : oddsBoxes)
        box->clear();
}

void MainWindow::showProbabilities(const QString& home, const QString& away) {
    clearProbabilities();
    // Three odds or none; a box that holds no odds value is refused and the bets go unvalued.
    std::array<std::optional<double>, 3> typed;
    for (std::size_t i = 0; i < oddsBoxes.size(); ++i) {
        const QString text = oddsBoxes[i]->text().trimmed();
        if (text.isEmpty())
            continue;
        typed[i] = readOddsValue(text);
        if (!typed[i]) {
            program_.dialogs.warn(this, QString::fromUtf16(kOddsRefused).arg(text));
            oddsBoxes[i]->setFocus(Qt::OtherFocusReason);
            oddsBoxes[i]->selectAll();
            break;
        }
    }
    std::optional<model::ThreeWay> odds;
    if (typed[0] && typed[1] && typed[2])
        odds = model::ThreeWay{*typed[0], *typed[1], *typed[2]};
    const PairingProbabilities opinion =
        pairingProbabilities(program_.database(), leagueBox->currentText(), home, away, std::nullopt, odds);
    if (opinion.refusal) {
        outcomeLine->setText(*opinion.refusal);
        return;
    }
    const model::PairingForecast& f = opinion.forecast;
    const model::ThreeWay& p = f.forecast.outcome;
    outcomeLine->setText(QStringLiteral("1: %1 (%2)   0: %3 (%4)   2: %5 (%6)")
                             .arg(percent(p.home), fair(f.fairHome), percent(p.draw), fair(f.fairDraw),
                                  percent(p.away), fair(f.fairAway)));
    goalsLine->setText(
        QStringLiteral("Alt 2,5: %1   Üst 2,5: %2   KG Var: %3")
            .arg(percent(f.forecast.under25), percent(f.forecast.over25), percent(f.forecast.bothScore)));
    QStringList scores;
    for (std::size_t i = 0; i < 3; ++i) {
        const model::ScoreProbability& score = f.forecast.likelyScores[i];
        scores << QStringLiteral("%1 - %2  %3")
                      .arg(score.homeGoals)
                      .arg(score.awayGoals)
                      .arg(percent(score.probability));
    }
    scoresLine->setText(QStringLiteral("Skorlar: ") + scores.join(QStringLiteral("   ")));
    if (f.expectedValues) {
        const auto signedPercent = [](double value) {
            return (value >= 0 ? QStringLiteral("+") : QString()) +
                   turkishLocale().toString(100 * value, 'f', 1) + QStringLiteral("%");
        };
        valueLine->setText(QStringLiteral("Değer: 1 %1   0 %2   2 %3")
                               .arg(signedPercent(f.expectedValues->home),
                                    signedPercent(f.expectedValues->draw),
                                    signedPercent(f.expectedValues->away)));
    }
}

QString MainWindow::probabilityLine() const {
    if (!addToCommentaryBox->isChecked() || goalsLine->text().isEmpty())
        return {};
    return QStringLiteral("Olasılıklar\t:  ") + outcomeLine->text() + QStringLiteral("   ") +
           goalsLine->text();
}

} // namespace vezal
