#include "windows/FirstStartGuide.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vezal {

namespace {

const QString kTitle = QStringLiteral("Hoş geldiniz");
const QString kIntroduction = QStringLiteral(
    "Veri klasöründe henüz bir lig yok. Tahmine başlamak için önce bir ligin maç sonuçları gerekir:");
const QString kImportCaption = QStringLiteral("Sonuçları İçe Aktar ...");
const QString kImportExplanation = QStringLiteral(
    "Bir ligin sonuçlarını bir CSV dosyasından alır (tarih, ev sahibi, misafir, goller; varsa oranlar).");
const QString kWebCaption = QStringLiteral("Ligleri Web'den Güncelle ...");
const QString kWebExplanation =
    QStringLiteral("İşaretlediğiniz ligleri son sezonlarıyla, oranlarıyla ve gelecek maçlarıyla "
                   "football-data.co.uk'tan alır; sonra Dosya > Verileri Güncelle onları yeniler.");
const QString kSampleCaption = QStringLiteral("Örnek Lig Yükle");
const QString kSampleExplanation =
    QStringLiteral("Programı denemek için on takımlı, iki sezonluk uydurma bir lig: \"Örnek Lig\". "
                   "İşiniz bitince Dosya > Ligler'den silebilirsiniz.");
const QString kAfterwards =
    QStringLiteral("Sonra LİG SEÇ kutusundan ligi seçin; İÇ SAHA TABLOSU'ndan ev sahibi, DIŞ SAHA "
                   "TABLOSU'ndan misafir takımı seçip \"Tahmin\"e basın.");

QLabel* wrapped(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

FirstStartGuide::FirstStartGuide(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("FirstStartGuide"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(24, 24, 24, 24);
    rows->setSpacing(12);

    QLabel* title = wrapped(kTitle, this);
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    title->setFont(big);
    rows->addWidget(title);
    rows->addWidget(wrapped(kIntroduction, this));
    actions_ = new QVBoxLayout;
    actions_->setSpacing(8);
    rows->addLayout(actions_);
    rows->addWidget(wrapped(kAfterwards, this));
    rows->addStretch(1);

    importButton = addAction("GuideImportButton", kImportCaption, kImportExplanation);
    webButton = addAction("GuideWebButton", kWebCaption, kWebExplanation);
    sampleButton = addAction("GuideSampleButton", kSampleCaption, kSampleExplanation);
}

QPushButton* FirstStartGuide::addAction(const char* objectName, const QString& caption,
                                        const QString& explanation) {
    auto* line = new QGridLayout;
    line->setHorizontalSpacing(12);
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setMinimumWidth(190);
    line->addWidget(button, 0, 0, Qt::AlignTop);
    line->addWidget(wrapped(explanation, this), 0, 1);
    line->setColumnStretch(1, 1);
    actions_->addLayout(line);
    return button;
}

} // namespace vezal
