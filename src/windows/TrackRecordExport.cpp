#include "windows/TrackRecordWindow.h"

#include "windows/Dialogs.h"
#include "windows/TrackRecordFigures.h"
#include "windows/WindowKit.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

// The Başarı window's files: both CSV files in the form a Turkish spreadsheet reads, or plain.
namespace vezal {

namespace {

const QString kFormCaption = QStringLiteral("Biçim");
const QString kFiguresTitle = QStringLiteral("Başarı Tablosunu Kaydet");
const QString kFiguresFilter = QStringLiteral("CSV Dosyalar (*.csv)|*.csv");
const QString kFiguresName = QStringLiteral("basari-tablosu.csv");
const QString kFiguresSaved = QStringLiteral("Tablo kaydedildi: %1");

} // namespace

QLayout* TrackRecordWindow::buildExportChoices() {
    csvFormBox = makeCsvFormBox(this);
    figuresExportButton = new QPushButton(QStringLiteral("Tabloyu Dışa Aktar..."), this);
    figuresExportButton->setObjectName(QStringLiteral("FiguresExportButton"));
    figuresExportButton->setAutoDefault(false);
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(kFormCaption, this));
    line->addWidget(csvFormBox);
    line->addWidget(figuresExportButton);
    return line;
}

CsvForm TrackRecordWindow::chosenCsvForm() const {
    return vezal::chosenCsvForm(csvFormBox);
}

void TrackRecordWindow::onExportFigures() {
    if (!record_)
        return;
    const QString path = program_.dialogs.saveFileName(this, kFiguresTitle, kFiguresFilter, kFiguresName);
    if (path.isEmpty())
        return;
    saveCsvBytes(csvText(figureLines(*record_, chosenCsvForm()), chosenCsvForm()), path);
    statusLabel->setText(kFiguresSaved.arg(QDir::toNativeSeparators(path)));
}

} // namespace vezal
