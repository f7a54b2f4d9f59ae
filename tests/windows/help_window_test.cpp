#include "support/TestProgram.h"
#include "windows/ProgramWindows.h"

#include "windows/HelpWindow.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::TestProgram;

QStringList shownLines(const HelpWindow* help) {
    const auto* memo = help->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    return memo ? memo->toPlainText().split(u'\n') : QStringList();
}

TEST(HelpWindowTest, ShowsFortyFixedLinesUnwrappedAndReadOnly) {
    TestProgram run;
    run.writeLeagueFile(QByteArray());
    run.start();
    HelpWindow* help = run.windows().help();
    auto* memo = run.find<QPlainTextEdit>(help, "Memo1");
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(help->windowTitle(), QString::fromUtf8("Vezal Yardım"));

    const QStringList lines = shownLines(help);
    ASSERT_EQ(lines.size(), 74);
    for (int line : {1, 3, 6, 8})
        EXPECT_EQ(lines[line - 1], QString(162, u'-')) << line;
    for (int line : {10, 21, 30})
        EXPECT_EQ(lines[line - 1], QString(43, u'-')) << line;
    for (int line : {4, 11, 13, 19, 22, 25, 28, 31, 34, 37})
        EXPECT_EQ(lines[line - 1], QString()) << line;

    // Headings and the menu lines with their tabs, byte for byte.
    struct Line {
        int number;
        const char* text;
    };
    for (const Line& l :
         {Line{2, "FUTBOL VEZAL TAHMİN"}, Line{9, "PROGRAM MENÜ VE İŞLEVLERİ"}, Line{12, "Dosya"},
          Line{14, "\tLigler\t\t;\tPrograma yeni lig ekleyebilir veya var olanları silebilirsiniz."},
          Line{16, "\tSonuç Giriş\t;\tMaç sonuçlarını girebilirsiniz."},
          Line{18, "\tÇıkış\t\t;\tProgramdan çıkış."}, Line{20, "PROGRAMIN GÖRÜNÜMÜ"},
          Line{23, "LİG SEÇ  kutusundan tahminde bulunmak istediğiniz ligi seçtiğinizde o lig "
                   "takımlarının iç sahada ve dış sahada oynanan"},
          Line{29, "TAHMİN İŞLEMİ"},
          Line{32, "İÇ SAHA TABLOSU 'ndan Ev Sahibi ve DIŞ SAHA TABLOSU 'ndan Misafir Takımları "
                   "seçip TAHMİN düğmesine bastığınızda"},
          Line{40, "ise Dosya/Raporlar seçeneğinden geri yükleyebilirsiniz."},
          // The windows that came with betting and the web, each under its heading.
          Line{42, "HAFTANIN BÜLTENİ"}, Line{53, "BAHİSLERİM"}, Line{62, "BAŞARI"},
          Line{69, "KAYNAKLAR VE VERİLERİ GÜNCELLE"}})
        EXPECT_EQ(lines[l.number - 1], QString::fromUtf8(l.text)) << l.number;
    for (int line : {43, 54, 63, 70})
        EXPECT_EQ(lines[line - 1], QString(43, u'-')) << line;
    for (int line : {41, 44, 52, 55, 61, 64, 68, 71})
        EXPECT_EQ(lines[line - 1], QString()) << line;
    // What each section names is in its text.
    const QString text = lines.join(u' ');
    for (const char* named :
         {"Web'den Al", "Kupona Ekle", "Bahis Yap", "İptal Et", "Ayarla", "Tabloyu Dışa Aktar", "Kaynak...",
          "Dosya/Verileri Güncelle", "Dosya/Web'den Lig Al", "Adil oranlar", "Asya handikabı"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(named))) << named;

    // The five menu lines: tab, name, tabs, semicolon, tab, text; no line ends in a blank.
    for (int line = 14; line <= 18; ++line) {
        EXPECT_TRUE(lines[line - 1].startsWith(u'\t')) << line;
        EXPECT_TRUE(lines[line - 1].contains(QStringLiteral(";\t"))) << line;
    }
    for (const QString& text : lines)
        EXPECT_FALSE(text.endsWith(u' ')) << text.toStdString();
}

// The five menu rows read as a table: the ";" after each caption stands in one column, and the longest line
// fits without scrolling sideways.
TEST(HelpWindowTest, TheMenuRowsLineUpAndNothingNeedsScrollingSideways) {
    TestProgram run;
    run.writeLeagueFile(QByteArray());
    run.start();
    HelpWindow* help = run.windows().help();
    help->showOrRaise();
    auto* memo = run.find<QPlainTextEdit>(help, "Memo1");
    QList<int> columns;
    for (int line : {14, 15, 16, 17, 18}) {
        const QTextBlock block = memo->document()->findBlockByNumber(line - 1);
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + int(block.text().indexOf(u';')));
        columns << memo->cursorRect(cursor).left();
    }
    EXPECT_EQ(columns, QList<int>(5, columns.front()));
    EXPECT_EQ(memo->horizontalScrollBar()->maximum(), 0);
}

// Closed by its button or by Escape (from its text, where the focus is, as a dialog closes), it is only
// hidden.
TEST(HelpWindowTest, IsShownBesideTheMainWindowAndClosingOnlyHidesIt) {
    TestProgram run;
    run.writeLeagueFile(QByteArray());
    run.start();
    run.windows().mainWindow()->show();
    HelpWindow* help = run.windows().help();
    help->showOrRaise();
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    EXPECT_TRUE(run.windows().mainWindow()->isVisible());
    EXPECT_TRUE(run.dialogs.asked.empty());
    EXPECT_EQ(help->height(), 632);

    help->close();
    EXPECT_FALSE(help->isVisible());
    EXPECT_EQ(run.windows().help(), help); // the same window comes back with the same text
    help->showOrRaise();
    EXPECT_EQ(shownLines(help).size(), 74);

    auto* memo = run.find<QPlainTextEdit>(help, "Memo1");
    QTest::keyClick(memo, Qt::Key_A); // a letter does nothing in the read-only text
    EXPECT_TRUE(help->isVisible());
    QTest::keyClick(memo, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
    EXPECT_TRUE(run.windows().mainWindow()->isVisible());
}

} // namespace
} // namespace vezal
