#include "windows/Unit4.h"

#include "support/ScriptedDialogs.h"
#include "support/TestApp.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace vezal {
namespace {

using testing::ScriptedDialogs;

const QString kNothingToSave = QString::fromUtf8("Programa Herhangibir Tahmin yaptırtmadınız  ... ");
const QString kNothingToPrint = QString::fromUtf8("Henüz yazdırılabilecek bir yorum yapılmamış  ... ");

// "Çarşamba", "İstanbul", "Süper Lig", "Ağır" in Windows-1254 with CR LF, lone CR, lone LF and no end.
const QByteArray kMixedLineEnds("\xC7"
                                "ar\xFE"
                                "amba\r\n\xDD"
                                "stanbul\rS\xFC"
                                "per Lig\nA\xF0\xFDr");
const QByteArray kSavedLineEnds("\xC7"
                                "ar\xFE"
                                "amba\r\n\xDD"
                                "stanbul\r\nS\xFC"
                                "per Lig\r\nA\xF0\xFDr\r\n");

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

int pdfPageCount(const QString& path) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return int(QString::fromLatin1(readBytes(path)).count(page));
}

class ReportWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::testApp();
        ASSERT_TRUE(folder.isValid());
        form = std::make_unique<TForm4>(program);
        memo = form->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        ASSERT_NE(memo, nullptr);
    }

    void click(const char* action) {
        auto* found = form->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(found, nullptr) << action;
        found->trigger();
    }
    QString file(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    bool asked(const QString& kind) const {
        return std::any_of(dialogs.asked.begin(), dialogs.asked.end(),
                           [&](const auto& a) { return a.kind == kind; });
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    Program program{folder.path(), dialogs, [] { return QDate(2024, 5, 1); }, {}};
    std::unique_ptr<TForm4> form;
    QPlainTextEdit* memo = nullptr;
};

TEST_F(ReportWindow, ToolBarOffersOpenSavePrintAndClose) {
    const QStringList tips{QString::fromUtf8("Aç"),
                           QString::fromUtf8("Kaydet"),
                           QString(),
                           QString::fromUtf8("Yazdır"),
                           QString(),
                           QString::fromUtf8("Çıkış")};
    QStringList shown;
    for (QAction* action : form->findChild<QToolBar*>(QStringLiteral("ToolBar1"))->actions())
        shown << (action->isSeparator() ? QString() : action->toolTip());
    EXPECT_EQ(shown, tips);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("  Rapor"));
}

TEST_F(ReportWindow, OpenReplacesTheReportWithoutAsking) {
    form->appendLines({QStringLiteral("eski yorum"), QStringLiteral("ikinci satır")});
    writeBytes(file("yorum.txt"), kMixedLineEnds);
    QDir::setCurrent(QDir::tempPath());
    dialogs.answerNextFileDialog(file("yorum.txt"));

    click("ToolButton2");

    EXPECT_EQ(form->lines(), QString::fromUtf8("Çarşamba|İstanbul|Süper Lig|Ağır").split(u'|'));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].title, QString::fromUtf8("Dosya Seçiminizi Yapın"));
    EXPECT_EQ(dialogs.asked[0].text, QStringLiteral("Text Dosyalar (*.txt)|*.txt|"));
    EXPECT_EQ(QDir::current(), QDir(folder.path()));
}

TEST_F(ReportWindow, CancelledOpenKeepsTheReport) {
    form->appendLines({QStringLiteral("yorum")});
    click("ToolButton2");
    EXPECT_EQ(form->lines(), QStringList{QStringLiteral("yorum")});
}

TEST_F(ReportWindow, MixedLineEndsAndTurkishLettersComeBackAsCrLfWindows1254) {
    writeBytes(file("karisik.txt"), kMixedLineEnds);
    dialogs.answerNextFileDialog(file("karisik.txt"));
    click("ToolButton2");
    dialogs.answerNextFileDialog(file("kayit.txt"));
    click("ToolButton4");
    EXPECT_EQ(readBytes(file("kayit.txt")), kSavedLineEnds);
    EXPECT_TRUE(dialogs.errors().isEmpty());
}

TEST_F(ReportWindow, SaveReplacesAnExistingFileWithoutAsking) {
    writeBytes(file("yorum.txt"), "eski bir rapor, daha uzun olan\r\n");
    form->appendLines({QStringLiteral("1. yorum"), QString(), QStringLiteral("\tsonu")});
    dialogs.answerNextFileDialog(file("yorum.txt"));

    click("ToolButton4");

    EXPECT_EQ(readBytes(file("yorum.txt")), QByteArray("1. yorum\r\n\r\n\tsonu\r\n"));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, QStringLiteral("save"));
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Dosya Olarak Kaydet"));
    EXPECT_EQ(dialogs.asked[0].text, QStringLiteral("Text Dosyalar (*.txt)|*.txt"));
    EXPECT_EQ(dialogs.asked[0].extra, QStringLiteral("Yorum1.txt"));
    EXPECT_EQ(QDir::current(), QDir(folder.path()));
}

TEST_F(ReportWindow, CancelledSaveWritesNothing) {
    form->appendLines({QStringLiteral("yorum")});
    click("ToolButton4");
    EXPECT_TRUE(asked(QStringLiteral("save")));
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ReportWindow, BlankReportIsNeitherSavedNorPrinted) {
    struct Case {
        const char* action;
        QString message;
        const char* dialog;
    };
    const QStringList blanks[] = {{}, {QString(), QStringLiteral("   "), QStringLiteral("\t"), QString()}};
    for (const Case& c :
         {Case{"ToolButton4", kNothingToSave, "save"}, Case{"ToolButton6", kNothingToPrint, "print"}}) {
        for (const QStringList& blank : blanks) {
            memo->clear();
            form->appendLines(blank);
            dialogs.clear();
            click(c.action);
            EXPECT_EQ(dialogs.warnings(), QStringList{c.message}) << c.action;
            EXPECT_FALSE(asked(QString::fromLatin1(c.dialog))) << c.action;
        }
        // One visible character is a report.
        form->appendLines({QStringLiteral(" .")});
        dialogs.clear();
        click(c.action);
        EXPECT_TRUE(dialogs.warnings().isEmpty()) << c.action;
        EXPECT_TRUE(asked(QString::fromLatin1(c.dialog))) << c.action;
    }
}

TEST_F(ReportWindow, TextOutsideTheTurkishCodePageIsRefusedBeforeAnythingIsWritten) {
    writeBytes(file("yorum.txt"), "eski\r\n");
    form->appendLines({QStringLiteral("Tamam"), QString::fromUtf8("Gol sayısı ő")});
    dialogs.answerNextFileDialog(file("yorum.txt"));

    click("ToolButton4");

    EXPECT_EQ(dialogs.warnings(),
              QStringList{QString::fromUtf8("2. satırda Türkçe kod sayfasında olmayan bir karakter var, "
                                            "Dosya Kaydedilmedi  ... ")});
    EXPECT_FALSE(asked(QStringLiteral("save")));
    EXPECT_EQ(readBytes(file("yorum.txt")), QByteArray("eski\r\n"));
}

TEST_F(ReportWindow, FileErrorsGoToTheErrorDisplayAndKeepTheReport) {
    for (const char* action : {"ToolButton2", "ToolButton4"}) {
        form->appendLines({QStringLiteral("yorum")});
        const QStringList before = form->lines();
        dialogs.clear();
        dialogs.answerNextFileDialog(file("yok/yorum.txt"));
        click(action);
        EXPECT_EQ(dialogs.errors().size(), 1) << action;
        EXPECT_EQ(form->lines(), before) << action;
    }
}

TEST_F(ReportWindow, EscHidesTheWindowFromAnyControlAndTabTypesATab) {
    for (QWidget* target : {static_cast<QWidget*>(memo), static_cast<QWidget*>(form.get()),
                            static_cast<QWidget*>(form->findChild<QToolBar*>(QStringLiteral("ToolBar1")))}) {
        form->show();
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_Tab);
        EXPECT_TRUE(form->isVisible());
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(form->isVisible()) << target->metaObject()->className();
    }
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("\t\t\t"));
}

TEST_F(ReportWindow, ClosingHidesAndKeepsTheTextAndLinesArriveWhileHidden) {
    form->appendLines({QStringLiteral("birinci")});
    form->show();
    click("ToolButton7");
    EXPECT_FALSE(form->isVisible());
    form->appendLines({QStringLiteral("ikinci"), QStringLiteral("üçüncü")});
    form->show();
    form->close();
    EXPECT_FALSE(form->isVisible());
    form->show();
    EXPECT_EQ(form->lines(), QString::fromUtf8("birinci|ikinci|üçüncü").split(u'|'));
}

TEST_F(ReportWindow, AppendedLinesFollowTheTextAsNewLines) {
    struct Case {
        QString before;
        QStringList appended;
        QStringList after;
    };
    const Case cases[] = {
        {QString(), {QStringLiteral("a")}, {QStringLiteral("a")}},
        {QString(), {QString(), QStringLiteral("a")}, {QString(), QStringLiteral("a")}},
        {QStringLiteral("elle yazılan"),
         {QStringLiteral("a")},
         {QStringLiteral("elle yazılan"), QStringLiteral("a")}},
        {QStringLiteral("x\n"), {QStringLiteral("a")}, {QStringLiteral("x"), QString(), QStringLiteral("a")}},
    };
    for (const Case& c : cases) {
        memo->setPlainText(c.before);
        form->appendLines(c.appended);
        EXPECT_EQ(form->lines(), c.after) << c.before.toStdString();
    }
}

TEST_F(ReportWindow, PrintsOneJobOfAsManyPagesAsTheLinesNeed) {
    // Ask the print dialog once for the page and font the job will have, then cancel.
    qreal pageHeight = 0;
    qreal lineHeight = 0;
    dialogs.onPrint = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        pageHeight = printer.height();
        lineHeight = QFontMetricsF(memo->font(), &printer).lineSpacing();
        return false;
    };
    form->appendLines({QStringLiteral("x")});
    click("ToolButton6");
    ASSERT_GT(lineHeight, 0);
    const int linesPerPage = int(pageHeight / lineHeight) - 1;
    ASSERT_GT(linesPerPage, 10);

    const struct {
        int lines;
        int pages;
    } cases[] = {{linesPerPage, 1}, {linesPerPage + 1, 2}, {2 * linesPerPage + 1, 3}};
    for (const auto& [lines, pages] : cases) {
        memo->clear();
        for (int i = 1; i <= lines; ++i)
            form->appendLines({QStringLiteral("%1. yorum\tbitti").arg(i)});
        const QString pdf = file("rapor.pdf");
        QFile::remove(pdf);
        dialogs.clear();
        dialogs.onPrint = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        click("ToolButton6");
        EXPECT_TRUE(dialogs.errors().isEmpty());
        EXPECT_EQ(pdfPageCount(pdf), pages) << lines << " lines";
    }
}

TEST_F(ReportWindow, APrinterThatCannotStartGoesToTheErrorDisplay) {
    form->appendLines({QStringLiteral("yorum")});
    dialogs.onPrint = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file("yok/rapor.pdf"));
        return true;
    };
    click("ToolButton6");
    EXPECT_EQ(dialogs.errors().size(), 1);
    EXPECT_EQ(form->lines(), QStringList{QStringLiteral("yorum")});
}

} // namespace
} // namespace vezal
