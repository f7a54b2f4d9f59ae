#include "windows/HelpWindow.h"

#include "windows/WindowKit.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace vezal {

namespace {
QString rule(int hyphens) {
    return QString(hyphens, u'-');
}
} // namespace

QStringList HelpWindow::helpLines() {
    // clang-format off
    return {
        rule(162),
        QStringLiteral("FUTBOL VEZAL TAHMİN"),
        rule(162),
        QString(),
        QStringLiteral("Futbol Vezal Tahmin Programı ; Girişi yapılan lig ve o liglerin takımları arasında oynanan maçlara ait sonuç tahmin programıdır."),
        rule(162),
        QStringLiteral("YENİ LİG EKLEDİĞİNİZDE : O ligdeki takımlar için ilk puanlamayı nekadar iyi yaparsanız tahminler o derece iyi olur."),
        rule(162),
        QStringLiteral("PROGRAM MENÜ VE İŞLEVLERİ"),
        rule(43),
        QString(),
        QStringLiteral("Dosya"),
        QString(),
        QStringLiteral("\tLigler\t\t;\tPrograma yeni lig ekleyebilir veya var olanları silebilirsiniz."),
        QStringLiteral("\tTakımlar\t\t;\tÖnceden girişini yapmış olduğunuz liglere takım ekleyebilir veya silebilirsiniz."),
        QStringLiteral("\tSonuç Giriş\t;\tMaç sonuçlarını girebilirsiniz."),
        QStringLiteral("\tRaporlar\t\t;\tTahminlerini yaptığınız maçlara ait yorum raporlarını kaydedebilir veya yükleyebilirsiniz."),
        QStringLiteral("\tÇıkış\t\t;\tProgramdan çıkış."),
        QString(),
        QStringLiteral("PROGRAMIN GÖRÜNÜMÜ"),
        rule(43),
        QString(),
        QStringLiteral("LİG SEÇ  kutusundan tahminde bulunmak istediğiniz ligi seçtiğinizde o lig takımlarının iç sahada ve dış sahada oynanan"),
        QStringLiteral("maçlarını listeleyebilirsiniz."),
        QString(),
        QStringLiteral("TAKIM SEÇ kutusundan seçtiğiniz ligin herhangibir takımını seçerek sadece o takımın maçlarını seçtirebilirsiniz , bu seçimi"),
        QStringLiteral("TÜM MAÇLAR düğmesine basarak iptal edebilir ve o ligin tüm maçlarını tekrar listeleyebilirsiniz."),
        QString(),
        QStringLiteral("TAHMİN İŞLEMİ"),
        rule(43),
        QString(),
        QStringLiteral("İÇ SAHA TABLOSU 'ndan Ev Sahibi ve DIŞ SAHA TABLOSU 'ndan Misafir Takımları seçip TAHMİN düğmesine bastığınızda"),
        QStringLiteral("ilgili maç için tahmin yapılacaktır."),
        QString(),
        QStringLiteral("YORUM düğmesine bastığınızda ise bu maçla ilgili olarak programın yorumu ekrana gelecektir. İsterseniz bu yorum raporunu"),
        QStringLiteral("kaydedebilir daha sonra ise Dosya/Raporlar seçeneğinden geri yükleyebilirsiniz."),
        QString(),
        QStringLiteral("KUPON düğmesi ise size tahminde bulunmuş olduğunuz müsabakalar arasından programın seçimlerinden oluşan bir kupon"),
        QStringLiteral("oluşturur eğer maç üç ihtimale açık sıkıntılı bir maç ise bunu kupona eklemeyecektir. Bu kuponu kaydedebilir daha sonra"),
        QStringLiteral("ise Dosya/Raporlar seçeneğinden geri yükleyebilirsiniz."),
        QString(),
        QStringLiteral("HAFTANIN BÜLTENİ"),
        rule(43),
        QString(),
        QStringLiteral("BÜLTEN düğmesi ya da Dosya/Haftanın Bülteni bir fikstür dosyasındaki maçların her sonucunu gol modelinin"),
        QStringLiteral("olasılığı, bahisçinin olasılığı, oranı, değeri ve önerilen bahis miktarıyla listeler; değerli sonuçlar renklidir."),
        QStringLiteral("Web'den Al bu haftanın maçlarını oranlarıyla alır. Kasa, Kelly payı, değer eşiği ya da en çok pay değiştiğinde"),
        QStringLiteral("Enter'a basın. Bir sütunun başlığına tıklamak satırları o sütuna göre sıralar. Kupona Ekle seçilen maçları"),
        QStringLiteral("kupona, Bahis Yap seçilen sonuçları Bahislerim'e ekler. Dosyada Asya handikabı oranı olan maçın iki tarafı"),
        QStringLiteral("dosyanın çizgisinde listelenir. Adil oranlar, dosyada oranı olmayan çifte şans, beraberlikte iade, 1,5 ve 3,5 alt/üst"),
        QStringLiteral("ve toplam gol satırlarını adil oranlarıyla ekler; iddaa'nın oranını Oran hücresine yazabilirsiniz."),
        QString(),
        QStringLiteral("BAHİSLERİM"),
        rule(43),
        QString(),
        QStringLiteral("Dosya/Bahislerim yaptığınız bahisleri tutar: her bahis tablodaki sonuçlara göre kendiliğinden sonuçlanır. Kâr,"),
        QStringLiteral("kasa ve kapanış oranına göre değer (CLV) ligler ve sonuçlar için ayrı ayrı gösterilir. İptal Et bir bahsi iptal"),
        QStringLiteral("eder (bir kuponun bütününü ya da tek bir seçimini), Sil siler, Dışa Aktar bahisleri tablo programlarının açtığı"),
        QStringLiteral("bir CSV dosyasına yazar. Asya handikabının çeyrek çizgisi yarı kazanabilir ya da yarı kaybedebilir, tam çizgi ve"),
        QStringLiteral("beraberlikte iade iade olabilir; ilk yarı/maç sonucu bahsi ilk yarı skoru bilinince sonuçlanır."),
        QString(),
        QStringLiteral("BAŞARI"),
        rule(43),
        QString(),
        QStringLiteral("BAŞARI düğmesi ya da Dosya/Başarı seçtiğiniz ligin geçmiş maçlarını o günkü tabloyla tahmin eder ve sonuçlarla"),
        QStringLiteral("karşılaştırır: sezon sezon isabet, hep ev sahibi ve bahisçinin favorisi, gol modelinin değerli bahislerinin kârı."),
        QStringLiteral("Ayarla gol modelini ligin geçmişine göre ayarlar. Dışa Aktar maçları, Tabloyu Dışa Aktar tabloyu CSV olarak yazar."),
        QString(),
        QStringLiteral("KAYNAKLAR VE VERİLERİ GÜNCELLE"),
        rule(43),
        QString(),
        QStringLiteral("Dosya/Ligler penceresinde Kaynak... bir ligin sezon dosyasının adresini ya da dosya yolunu ve lig kodunu tutar;"),
        QStringLiteral("football-data.co.uk'un bilinen ligleri hazır adres olarak sunulur. Dosya/Verileri Güncelle kaynağı olan her ligin"),
        QStringLiteral("dosyasını yeniden okur ve yeni maçları ekler. Dosya/Web'den Lig Al işaretlediğiniz ligleri geçmiş sezonlarıyla alır."),
    };
    // clang-format on
}

HelpWindow::HelpWindow(Program& program, QWidget* parent) : QWidget(parent, Qt::Window), program_(program) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Vezal Yardım"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(windowFont());

    helpText = new QPlainTextEdit(this);
    helpText->setObjectName(QStringLiteral("Memo1"));
    helpText->setReadOnly(true);
    helpText->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The menu rows are a table: "\tLigler\t\t;" and "\tSonuç Giriş\t;" reach the same column when a stop
    // lies between the widest one-word caption and "Sonuç Giriş", whatever the font.
    const QFontMetricsF metrics(helpText->font());
    qreal shortCaptions = 0;
    for (const char* caption : {"Ligler", "Takımlar", "Raporlar", "Çıkış"})
        shortCaptions = std::max(shortCaptions, metrics.horizontalAdvance(QString::fromUtf8(caption)));
    helpText->setTabStopDistance((shortCaptions + metrics.horizontalAdvance(QStringLiteral("Sonuç Giriş"))) /
                                 2);
    helpText->setPlainText(helpLines().join(u'\n'));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(helpText);
    // As wide as its longest line, so that nothing needs scrolling sideways; as tall as before.
    const QFontMetrics lineMetrics(helpText->font());
    int longest = 0;
    for (const QString& line : helpLines())
        longest = std::max(longest, lineMetrics
                                        .size(Qt::TextSingleLine | Qt::TextExpandTabs, line,
                                              int(std::ceil(helpText->tabStopDistance())))
                                        .width());
    const int frame = 2 * helpText->frameWidth() + 2 * int(std::ceil(helpText->document()->documentMargin()));
    const int scrollBar = helpText->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    setFixedSize(longest + frame + scrollBar + lineMetrics.averageCharWidth(), 632);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // A window beside the main window closes on Escape as a dialog does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWindow::showOrRaise() {
    if (!isVisible()) {
        centreOverMainWindow(this, program_);
        show();
    }
    raise();
    activateWindow();
}

} // namespace vezal
