#include "windows/FixtureWindow.h"

#include "common/Names.h"
#include "exchange/LeaguePredictor.h"
#include "exchange/MatchFile.h"
#include "prediction/Coupon.h"
#include "store/LeagueListFile.h"
#include "store/Messages.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/WindowKit.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  FİKSTÜR TAHMİNİ");
const QString kChooseTitle = QStringLiteral("Fikstür Dosyasını Seçin");
const QString kNoFile = QStringLiteral("Öncelikle fikstür dosyasını seçmelisiniz  ... ");

} // namespace

FixtureWindow::FixtureWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setUpDialog(this, "FixtureWindow", kCaption);
    const FileChooser chooser = makeFileChooser(this);
    fileBox = chooser.box;
    chooseButton = chooser.button;
    leagueBox = makeDropDown(QStringLiteral("LeagueBox"), this);
    predictButton = new QPushButton(QStringLiteral("Tahmin Et"), this);
    predictButton->setObjectName(QStringLiteral("PredictButton"));
    outcomeList = new QListWidget(this);
    outcomeList->setObjectName(QStringLiteral("OutcomeList"));
    outcomeList->setMinimumSize(520, 260);
    closeButton = new QPushButton(QStringLiteral("Kapat"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));

    auto* choices = new QGridLayout;
    choices->addWidget(new QLabel(QStringLiteral("Dosya"), this), 0, 0);
    choices->addWidget(fileBox, 0, 1);
    choices->addWidget(chooseButton, 0, 2);
    choices->addWidget(new QLabel(QStringLiteral("Lig"), this), 1, 0);
    choices->addWidget(leagueBox, 1, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(predictButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(outcomeList, 1);
    layout->addLayout(buttons);

    for (QPushButton* button : {chooseButton, predictButton, closeButton}) {
        button->setAutoDefault(false);
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
    }
    KeyRule::enterFocuses(leagueBox, predictButton);

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(chooseButton, &QPushButton::clicked, this, dialogs, [this](bool) { onChooseFile(); });
    guardedConnect(predictButton, &QPushButton::clicked, this, dialogs, [this](bool) { onPredict(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void FixtureWindow::showEvent(QShowEvent* event) {
    guarded(program_.dialogs, this, [this] {
        fillWithLeagues(leagueBox, program_);
        // On the main window's league, whose coming matches the user most likely has.
        if (program_.hasWindows())
            leagueBox->setCurrentIndex(
                leagueBox->findText(program_.navigation().leagueSelector().loadedLeague()));
    });
    adjustSize();
    centreOverMainWindow(this, program_);
    chooseButton->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void FixtureWindow::done(int result) {
    path_.clear();
    fileBox->clear();
    outcomeList->clear();
    QDialog::done(result);
}

void FixtureWindow::onChooseFile() {
    const QString path = program_.dialogs.openFileName(this, kChooseTitle, QString::fromUtf16(kCsvFilter));
    if (path.isEmpty())
        return;
    path_ = path;
    fileBox->setText(QDir::toNativeSeparators(path));
    outcomeList->clear();
    leagueBox->setFocus(Qt::OtherFocusReason);
}

void FixtureWindow::onPredict() {
    if (path_.isEmpty()) {
        program_.dialogs.caution(this, kNoFile);
        return;
    }
    if (leagueBox->currentIndex() < 0) {
        program_.dialogs.caution(this, QString::fromUtf16(messages::kChooseLeague));
        return;
    }
    if (const auto refusal = inputFileRefusal(path_)) {
        program_.dialogs.caution(this, *refusal);
        return;
    }
    const MatchFileReading reading = readMatchFileAt(path_, MatchFileKind::Fixtures, program_.today());
    if (reading.refusal) {
        program_.dialogs.caution(this, *reading.refusal);
        return;
    }
    outcomeList->clear();
    for (const RejectedLine& line : reading.rejected.lines())
        outcomeList->addItem(QStringLiteral("Satır %1: %2").arg(line.line).arg(line.reason));
    int predicted = 0;
    for (const FixturePrediction& fixture :
         predictFixtures(program_.table(), leagueBox->currentText(), reading.rows)) {
        const QString pairing = QStringLiteral("%1  -  %2 - %3")
                                    .arg(fixture.fixture.number)
                                    .arg(fixture.fixture.home, fixture.fixture.away);
        if (fixture.prediction.refusal) {
            outcomeList->addItem(pairing + QStringLiteral("\t:  ") + fixture.prediction.refusal->trimmed());
            continue;
        }
        ++predicted;
        outcomeList->addItem(fixture.prediction.couponLine);
        if (program_.hasWindows()) {
            program_.navigation().addToReport(fixture.prediction.commentary);
            program_.navigation().addToCoupon(fixture.prediction.couponLine,
                                              {leagueBox->currentText(), fixture.fixture.day});
        }
    }
    if (predicted > 0 && program_.hasWindows()) {
        program_.navigation().showReport();
        program_.navigation().showCoupon();
    }
}

} // namespace vezal
