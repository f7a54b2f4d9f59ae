#include "windows/LeagueSourceWindow.h"

#include "exchange/LeagueSources.h"
#include "store/SourceTable.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/Program.h"
#include "windows/WindowKit.h"
#include "windows/WindowPlace.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vezal {

namespace {
const QString kCaption = QStringLiteral("  LİG KAYNAĞI");
const QString kChooseKnown = QStringLiteral("football-data.co.uk'tan seçin ...");
const QString kChooseTitle = QStringLiteral("Ligin Sezon Dosyasını Seçin");
} // namespace

LeagueSourceWindow::LeagueSourceWindow(Program& program, const QString& league, QWidget* parent)
    : QDialog(parent), program_(program), league_(league) {
    setUpDialog(this, "LeagueSourceWindow", kCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    keepPlace(this, program_);

    auto* leagueLabel = new QLabel(league, this);
    leagueLabel->setObjectName(QStringLiteral("LeagueLabel"));
    knownLeagueBox = makeDropDown(QStringLiteral("KnownLeagueBox"), this);
    knownLeagueBox->addItem(kChooseKnown);
    for (const KnownLeague& known : footballDataLeagues())
        knownLeagueBox->addItem(
            QStringLiteral("%1  %2").arg(QString::fromLatin1(known.code), QString::fromUtf8(known.name)),
            QString::fromLatin1(known.code));
    codeBox = new QLineEdit(this);
    codeBox->setObjectName(QStringLiteral("CodeBox"));
    codeBox->setMaxLength(8);
    sourceBox = new QLineEdit(this);
    sourceBox->setObjectName(QStringLiteral("SourceBox"));
    sourceBox->setMinimumWidth(420);
    sourceBox->setPlaceholderText(QStringLiteral("https://... ya da dosya yolu"));
    chooseFileButton = new QPushButton(QStringLiteral("Dosya Seç..."), this);
    chooseFileButton->setObjectName(QStringLiteral("ChooseFileButton"));
    saveButton = new QPushButton(QStringLiteral("Kaydet"), this);
    saveButton->setObjectName(QStringLiteral("SaveButton"));
    cancelButton = new QPushButton(QStringLiteral("Vazgeç"), this);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));

    // Enter in a box saves; the file chooser opens only when its button is pressed.
    saveButton->setDefault(true);
    chooseFileButton->setAutoDefault(false);
    cancelButton->setAutoDefault(false);

    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(sourceBox, 1);
    sourceRow->addWidget(chooseFileButton);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Lig:"), leagueLabel);
    form->addRow(QStringLiteral("Hazır adres:"), knownLeagueBox);
    form->addRow(QStringLiteral("Lig kodu (Div):"), codeBox);
    form->addRow(QStringLiteral("Kaynak:"), sourceRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    if (const auto kept = SourceTable(program_.database()).find(league)) {
        codeBox->setText(kept->code);
        sourceBox->setText(kept->address);
    }

    Dialogs& dialogs = program_.dialogs;
    connect(knownLeagueBox, &QComboBox::activated, this, [this](int index) { onKnownLeague(index); });
    guardedConnect(chooseFileButton, &QPushButton::clicked, this, dialogs, [this](bool) { onChooseFile(); });
    guardedConnect(saveButton, &QPushButton::clicked, this, dialogs, [this](bool) { onSave(); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void LeagueSourceWindow::onKnownLeague(int index) {
    const QString code = knownLeagueBox->itemData(index).toString();
    if (code.isEmpty())
        return;
    codeBox->setText(code);
    sourceBox->setText(footballDataAddress(code, program_.today()));
}

void LeagueSourceWindow::onChooseFile() {
    const QString path = program_.dialogs.openFileName(this, kChooseTitle, QString::fromUtf16(kCsvFilter));
    if (!path.isEmpty())
        sourceBox->setText(path);
}

void LeagueSourceWindow::onSave() {
    const SourceChange change{codeBox->text().trimmed(), sourceBox->text().trimmed()};
    if (const auto refusal =
            setLeagueSource(program_.database(), program_.leagueListPath(), league_, change)) {
        program_.dialogs.caution(this, *refusal);
        return;
    }
    accept();
}

} // namespace vezal
