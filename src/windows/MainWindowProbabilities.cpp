#include "windows/MainWindow.h"

#include "common/Names.h"
#include "common/Odds.h"
#include "evidence/ModelTuning.h"
#include "evidence/PairingProbabilities.h"
#include "model/LeagueForecast.h"
#include "store/Messages.h"
#include "windows/DateBox.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/Program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

// The "Olasılıklar" panel: a second opinion from the fitted goals model, filled by "Tahmin". The program's
// own boxes, commentary and coupon keep their rules; the panel's line joins the commentary only when asked.
namespace vezal {

namespace {

QString percent(double probability) {
    return showPercent(100 * probability);
}

QString decimal(double value) {
    return turkishLocale().toString(value, 'f', 2);
}

QString fair(const std::optional<double>& odds) {
    return odds ? decimal(*odds) : QStringLiteral("-");
}

using OddsBoxes = std::array<QLineEdit*, 3>;

// Three odds or none.
std::optional<model::ThreeWay> typedOdds(const OddsBoxes& boxes) {
    std::array<std::optional<double>, 3> typed;
    for (std::size_t i = 0; i < boxes.size(); ++i)
        typed[i] = readOddsValue(boxes[i]->text().trimmed());
    if (!typed[0] || !typed[1] || !typed[2])
        return std::nullopt;
    return model::ThreeWay{*typed[0], *typed[1], *typed[2]};
}

// The first box that holds text but no odds value.
QLineEdit* refusedOddsBox(const OddsBoxes& boxes) {
    for (QLineEdit* box : boxes)
        if (const QString text = box->text().trimmed(); !text.isEmpty() && !readOddsValue(text))
            return box;
    return nullptr;
}

} // namespace

QWidget* MainWindow::buildProbabilityPanel() {
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("ProbabilityPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setMinimumHeight(kProbabilityPanelHeight);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 2, 8, 4);
    grid->setVerticalSpacing(1);

    auto* title = new QLabel(QStringLiteral("OLASILIKLAR"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    const auto line = [](const char* name) {
        auto* label = new QLabel;
        label->setObjectName(QString::fromLatin1(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setWordWrap(true); // a refusal keeps to the panel
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
    betOutcomeBox = new QComboBox;
    betOutcomeBox->setObjectName(QStringLiteral("BetOutcomeBox"));
    betOutcomeBox->addItems({QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("2")});
    panelBetButton = new QPushButton(QStringLiteral("Bahis Yap"));
    panelBetButton->setObjectName(QStringLiteral("PanelBetButton"));
    panelBetButton->setAutoDefault(false);
    panelMarketsButton = new QPushButton(QStringLiteral("Piyasalar"));
    panelMarketsButton->setObjectName(QStringLiteral("PanelMarketsButton"));
    panelMarketsButton->setToolTip(QStringLiteral("Eşleşmenin bütün piyasaları, adil oranları ve değerleri"));
    panelMarketsButton->setAutoDefault(false);
    auto* bet = new QHBoxLayout;
    bet->setSpacing(3);
    bet->addWidget(panelMarketsButton);
    bet->addWidget(betOutcomeBox);
    bet->addWidget(panelBetButton);

    predictionDayBox = makeDateBox(QStringLiteral("PredictionDayBox"));
    predictionDayBox->setDate(program_.today());
    predictionDayBox->setToolTip(
        QStringLiteral("Tahmin edilen gün: model bu günden önceki maçlara göre kurulur"));
    fitLine = line("FitLine");
    fitLine->setWordWrap(false);
    auto* day = new QHBoxLayout;
    day->setSpacing(6);
    day->addWidget(title);
    day->addWidget(predictionDayBox);
    day->addWidget(fitLine, 1);

    // The day and the odds above, the model's lines below, each across the whole panel.
    grid->addLayout(day, 0, 0);
    grid->addLayout(odds, 0, 1, Qt::AlignRight);
    grid->addWidget(outcomeLine, 1, 0, 1, 2);
    grid->addWidget(goalsLine, 2, 0, 1, 2);
    grid->addWidget(scoresLine, 3, 0);
    grid->addWidget(valueLine, 4, 0);
    grid->addLayout(bet, 3, 1, 2, 1, Qt::AlignRight | Qt::AlignBottom); // beside the short lines
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(5, 1);

    Dialogs& dialogs = program_.dialogs;
    for (QLineEdit* box : oddsBoxes)
        guardedConnect(box, &QLineEdit::textChanged, this, dialogs,
                       [this](const QString&) { refreshProbabilities(); });
    guardedConnect(predictionDayBox, &QDateEdit::dateChanged, this, dialogs,
                   [this](const QDate&) { refreshProbabilities(); });
    guardedConnect(panelBetButton, &QPushButton::clicked, this, dialogs, [this](bool) { onPanelBet(); });
    guardedConnect(panelMarketsButton, &QPushButton::clicked, this, dialogs, [this](bool) { onMarkets(); });
    connect(predictionDayBox, &DateBox::impossibleDate, this, [this](const QString& typed) {
        program_.dialogs.caution(this, QString::fromUtf16(messages::kImpossibleDate).arg(typed));
    });
    return panel;
}

void MainWindow::clearProbabilities() {
    for (QLabel* label : {outcomeLine, goalsLine, scoresLine, valueLine, fitLine})
        label->clear();
    panelModel_.reset();
    panelGrid_.reset();
    showMarkets();
}

void MainWindow::clearOdds() {
    for (QLineEdit* box : oddsBoxes)
        box->clear();
}

void MainWindow::showProbabilities(const QString& home, const QString& away) {
    clearProbabilities();
    panelLeague_ = leagueBox->currentText();
    panelHome_ = home;
    panelAway_ = away;
    // The league's kept choice of decay and goals' share, or the defaults.
    const model::FitOptions options = leagueFitOptions(program_.database(), panelLeague_);
    panelModel_ = std::make_unique<model::LeagueModel>(
        leagueMatches(program_.database(), panelLeague_, options.shotsWeight < 1), options);
    // A box that holds no odds value is refused once, on the press; while typing, the bets go unvalued.
    if (QLineEdit* refused = refusedOddsBox(oddsBoxes)) {
        program_.dialogs.caution(this, QString::fromUtf16(kOddsRefused).arg(refused->text().trimmed()));
        refused->setFocus(Qt::OtherFocusReason);
        refused->selectAll();
    }
    refreshProbabilities();
}

void MainWindow::refreshProbabilities() {
    if (!panelModel_)
        return; // nothing shown: the odds and the day wait for "Tahmin"
    for (QLabel* label : {outcomeLine, goalsLine, scoresLine, valueLine, fitLine})
        label->clear();
    const std::optional<model::ThreeWay> odds = panelOdds();
    const QDate day = predictionDayBox->date();
    const PairingProbabilities opinion = pairingProbabilities(program_.database(), *panelModel_, panelLeague_,
                                                              panelHome_, panelAway_, day, odds);
    panelGrid_ = opinion.refusal ? std::nullopt : opinion.grid;
    showMarkets();
    if (opinion.refusal) {
        fitLine->setText(QStringLiteral("%1 için").arg(showDate(day)));
        outcomeLine->setText(*opinion.refusal);
        return;
    }
    const model::PairingForecast& f = opinion.forecast;
    fitLine->setText(QStringLiteral("%1 için, %2 maç")
                         .arg(showDate(opinion.day), turkishLocale().toString(qlonglong(f.matchesFitted))));
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
    // The value is the forecast's, the model pooled with the odds' own view of the match, so that the
    // panel flags what the bulletin and the track record flag; the model's own stays on the line above.
    const model::PooledForecast& forecast = opinion.pooled;
    if (forecast.expectedValues) {
        valueLine->setText(QStringLiteral("Değer: 1 %1   0 %2   2 %3   (tahmin 1 %4   0 %5   2 %6)")
                               .arg(percent(forecast.expectedValues->home),
                                    percent(forecast.expectedValues->draw),
                                    percent(forecast.expectedValues->away), percent(forecast.outcome.home),
                                    percent(forecast.outcome.draw), percent(forecast.outcome.away)));
    }
}

std::optional<model::ThreeWay> MainWindow::panelOdds() const {
    return typedOdds(oddsBoxes);
}

QString MainWindow::probabilityLine() const {
    if (!addToCommentaryBox->isChecked() || goalsLine->text().isEmpty())
        return {};
    return QStringLiteral("Olasılıklar\t:  ") + outcomeLine->text() + QStringLiteral("   ") +
           goalsLine->text();
}

} // namespace vezal
