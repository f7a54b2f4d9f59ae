#include "windows/ReportWindow.h"
#include "windows/ToolWindow.h"

#include "support/ScriptedDialogs.h"
#include "support/TestApp.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

namespace vezal {
namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<yok>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class ReportWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        memo = form.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        ASSERT_NE(memo, nullptr);
    }
    void click(const char* action) { form.findChild<QAction*>(QString::fromLatin1(action))->trigger(); }
    QString file(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    QStringList askedKinds() const {
        QStringList kinds;
        for (const auto& a : dialogs.asked)
            kinds << a.kind;
        return kinds;
    }

    QApplication& app = testing::testApp(); // first: the window below needs it
    QTemporaryDir folder;
    testing::ScriptedDialogs dialogs;
    Program program{folder.path(), dialogs, [] {
                        return QDate(2024, 5, 1);
                    }};
    ReportWindow form{program};
    QPlainTextEdit* memo = nullptr;
};

TEST_F(ReportWindowTest, OpenReplacesTheReportAndSaveReplacesTheFileBothWithoutAsking) {
    // "Çarşamba", "İstanbul", "Süper Lig", "Ağır" in Windows-1254 with CR LF, lone CR, lone LF and no end.
    writeBytes(file("karisik.txt"), "\xC7"
                                    "ar\xFE"
                                    "amba\r\n\xDD"
                                    "stanbul\rS\xFC"
                                    "per Lig\nA\xF0\xFDr");
    writeBytes(file("yorum.txt"), "eski bir rapor, kaydedilenden uzun\r\n");
    form.appendLines({QStringLiteral("eski yorum")});
    QDir::setCurrent(QDir::tempPath());
    dialogs.answerNextFileDialog(file("karisik.txt"));
    dialogs.answerNextFileDialog(file("yorum.txt"));

    click("ToolButton2");
    EXPECT_EQ(form.lines(), QString::fromUtf8("Çarşamba|İstanbul|Süper Lig|Ağır").split(u'|'));
    EXPECT_EQ(QDir::current(), QDir(folder.path()));
    click("ToolButton4");

    const QByteArray saved("\xC7"
                           "ar\xFE"
                           "amba\r\n\xDD"
                           "stanbul\r\nS\xFC"
                           "per Lig\r\nA\xF0\xFDr\r\n");
    EXPECT_EQ(readBytes(file("yorum.txt")), saved);
    ASSERT_EQ(askedKinds(), (QStringList{QStringLiteral("open"), QStringLiteral("save")}));
    EXPECT_EQ(dialogs.asked[0].title, QString::fromUtf8("Dosya Seçiminizi Yapın"));
    EXPECT_EQ(dialogs.asked[0].text, QStringLiteral("Text Dosyalar (*.txt)|*.txt|"));
    EXPECT_EQ(dialogs.asked[1].title, QStringLiteral("Dosya Olarak Kaydet"));
    EXPECT_EQ(dialogs.asked[1].text, QStringLiteral("Text Dosyalar (*.txt)|*.txt"));
    EXPECT_EQ(dialogs.asked[1].extra, QStringLiteral("Yorum1.txt"));

    // Cancelled, both leave everything as it was.
    click("ToolButton2");
    click("ToolButton4");
    EXPECT_EQ(form.lines().size(), 4);
    EXPECT_EQ(readBytes(file("yorum.txt")), saved);
}

TEST_F(ReportWindowTest, ABlankReportIsNeitherSavedNorPrinted) {
    const struct {
        const char* action;
        const char* message;
        const char* dialog;
    } cases[] = {{"ToolButton4", "Programa Herhangibir Tahmin yaptırtmadınız  ... ", "save"},
                 {"ToolButton6", "Henüz yazdırılabilecek bir yorum yapılmamış  ... ", "print"}};
    for (const auto& c : cases) {
        for (const QStringList& blank :
             {QStringList{}, QStringList{QString(), QStringLiteral(" \t "), QString()}}) {
            memo->clear();
            form.appendLines(blank);
            dialogs.clear();
            click(c.action);
            EXPECT_EQ(dialogs.warnings(), QStringList{QString::fromUtf8(c.message)}) << c.action;
            EXPECT_EQ(askedKinds(), QStringList{QStringLiteral("warn")}) << c.action;
        }
        form.appendLines({QStringLiteral(" .")});
        dialogs.clear();
        click(c.action);
        EXPECT_EQ(askedKinds(), QStringList{QString::fromLatin1(c.dialog)}) << c.action;
    }
}

TEST_F(ReportWindowTest, TextTheTurkishCodePageCannotHoldIsRefusedAndNothingWritten) {
    form.appendLines({QStringLiteral("Tamam"), QString::fromUtf8("Győr maçı")});
    dialogs.answerNextFileDialog(file("yorum.txt"));
    click("ToolButton4");
    EXPECT_EQ(dialogs.warnings(),
              QStringList{QString::fromUtf8("2. satırda Türkçe kod sayfasında olmayan bir karakter "
                                            "var, Dosya Kaydedilmedi  ... ")});
    EXPECT_FALSE(QFile::exists(file("yorum.txt")));
}

TEST_F(ReportWindowTest, FileAndPrinterErrorsGoToTheErrorDisplayAndKeepTheReport) {
    form.appendLines({QStringLiteral("yorum")});
    dialogs.onPrint = [this](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file("yok/rapor.pdf"));
        return true;
    };
    for (const char* action : {"ToolButton2", "ToolButton4", "ToolButton6"}) {
        dialogs.clear();
        dialogs.answerNextFileDialog(file("yok/yorum.txt"));
        click(action);
        EXPECT_EQ(dialogs.errors().size(), 1) << action;
        EXPECT_EQ(form.lines(), QStringList{QStringLiteral("yorum")}) << action;
    }
}

TEST_F(ReportWindowTest, EscHidesTheWindowFromAnyControlAndTabTypesATab) {
    for (QWidget* target : {static_cast<QWidget*>(memo), static_cast<QWidget*>(&form),
                            static_cast<QWidget*>(form.findChild<QToolBar*>(QStringLiteral("ToolBar1")))}) {
        form.show();
        QTest::keyClick(memo, Qt::Key_Tab);
        EXPECT_TRUE(form.isVisible());
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible()) << target->metaObject()->className();
    }
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("\t\t\t"));
}

TEST_F(ReportWindowTest, AClosedWindowKeepsItsTextAndTakesNewLines) {
    form.show();
    click("ToolButton7");
    EXPECT_FALSE(form.isVisible());
    // The first line goes into the empty report's one line; an empty first line still counts.
    form.appendLines({QString(), QStringLiteral("birinci")});
    form.show();
    form.close();
    form.appendLines({QString::fromUtf8("üçüncü")});
    form.show();
    EXPECT_EQ(form.lines(), (QStringList{QString(), QStringLiteral("birinci"), QString::fromUtf8("üçüncü")}));
}

int pdfPageCount(const QString& path) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return int(QString::fromLatin1(readBytes(path)).count(page));
}

TEST_F(ReportWindowTest, PrintsOneJobOfAsManyPagesAsTheLinesNeed) {
    // The print dialog is asked once for the page and the font the job will have, and cancelled.
    // Every page keeps 15 mm free on each side and gives its first two lines to the header.
    int linesPerPage = 0;
    dialogs.onPrint = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(15, 15, 15, 15));
        linesPerPage = int(printer.height() / QFontMetricsF(memo->font(), &printer).lineSpacing()) - 1 - 2;
        return false;
    };
    form.appendLines({QStringLiteral("x")});
    click("ToolButton6");
    ASSERT_GT(linesPerPage, 10);

    const QString pdf = file("rapor.pdf");
    dialogs.onPrint = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    for (const auto& [lines, pages] :
         {std::pair{linesPerPage, 1}, std::pair{linesPerPage + 1, 2}, std::pair{2 * linesPerPage + 1, 3}}) {
        memo->clear();
        for (int i = 1; i <= lines; ++i)
            form.appendLines({QStringLiteral("%1. yorum\tbitti").arg(i)});
        click("ToolButton6");
        EXPECT_EQ(pdfPageCount(pdf), pages) << lines << " lines";
    }
    EXPECT_TRUE(dialogs.errors().isEmpty());
}

// Every tool button has a picture of its own: the print button a printer, not a blank page. Without an
// icon theme (as here) the program's own pictures stand in.
TEST_F(ReportWindowTest, EveryToolButtonHasAPictureOfItsOwn) {
    using toolwindow::Picture;
    const auto image = [](const QIcon& icon) {
        return icon.pixmap(16, 16).toImage();
    };
    std::vector<QImage> seen;
    for (Picture picture : {Picture::Open, Picture::Save, Picture::Print, Picture::Close, Picture::DeleteLine,
                            Picture::DeleteAll}) {
        const QIcon icon = toolwindow::pictureOf(picture);
        ASSERT_FALSE(icon.isNull()) << int(picture);
        for (const QImage& other : seen)
            EXPECT_NE(image(icon), other) << int(picture);
        seen.push_back(image(icon));
    }
    QAction* print = form.findChild<QAction*>(QStringLiteral("ToolButton6"));
    EXPECT_EQ(image(print->icon()), image(toolwindow::pictureOf(Picture::Print)));
    EXPECT_NE(image(print->icon()), image(form.style()->standardIcon(QStyle::SP_FileIcon)));
}

} // namespace
} // namespace vezal
