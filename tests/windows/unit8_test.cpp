#include "windows/Unit8.h"

#include "support/ScriptedDialogs.h"
#include "support/TestApp.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace vezal {
namespace {

using testing::ScriptedDialogs;

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class CouponWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::testApp();
        ASSERT_TRUE(folder.isValid());
        form = std::make_unique<TForm8>(program);
        list = form->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        ASSERT_NE(list, nullptr);
    }

    void click(const char* action) {
        auto* found = form->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(found, nullptr) << action;
        found->trigger();
    }
    void fill(const QStringList& lines) {
        for (const QString& line : lines)
            form->appendLine(line);
    }
    QString file(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    bool asked(const QString& kind) const {
        return std::any_of(dialogs.asked.begin(), dialogs.asked.end(),
                           [&](const auto& a) { return a.kind == kind; });
    }
    // The window is never shown here, so its focus stays where the actions put it.
    bool listHasFocus() const { return form->focusWidget() == list; }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    Program program{folder.path(), dialogs, [] { return QDate(2024, 5, 1); }, {}};
    std::unique_ptr<TForm8> form;
    QListWidget* list = nullptr;
};

TEST_F(CouponWindow, ToolBarOffersOpenSaveAndTheTwoDeletes) {
    const QStringList tips{QString::fromUtf8("Aç"), QString::fromUtf8("Kaydet"), QString(),
                           QString::fromUtf8("Satır Sil"), QString::fromUtf8("Tümünü Sil")};
    QStringList shown;
    for (QAction* action : form->findChild<QToolBar*>(QStringLiteral("ToolBar1"))->actions())
        shown << (action->isSeparator() ? QString() : action->toolTip());
    EXPECT_EQ(shown, tips);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("  Kupon"));
}

TEST_F(CouponWindow, OpenReplacesTheListLineForLine) {
    fill({QStringLiteral("eski kupon")});
    // "Şampiyon", empty, "Maç" with CR LF, lone LF and lone CR.
    writeBytes(file("kupon.txt"), "\xDE"
                                  "ampiyon\r\n\nMa\xE7\r");
    QDir::setCurrent(QDir::tempPath());
    dialogs.answerNextFileDialog(file("kupon.txt"));

    click("ToolButton6");

    EXPECT_EQ(form->lines(),
              (QStringList{QString::fromUtf8("Şampiyon"), QString(), QString::fromUtf8("Maç")}));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].title, QString::fromUtf8("Dosya Seçiminizi Yapın"));
    EXPECT_EQ(dialogs.asked[0].text, QStringLiteral("Text Dosyalar (*.txt)|*.txt|"));
    EXPECT_EQ(QDir::current(), QDir(folder.path()));

    // Saved back, every line ends in CR LF.
    dialogs.answerNextFileDialog(file("kopya.txt"));
    click("ToolButton2");
    EXPECT_EQ(readBytes(file("kopya.txt")), QByteArray("\xDE"
                                                       "ampiyon\r\n\r\nMa\xE7\r\n"));
}

TEST_F(CouponWindow, CancelledOpenKeepsTheList) {
    fill({QStringLiteral("1")});
    click("ToolButton6");
    EXPECT_EQ(form->lines(), QStringList{QStringLiteral("1")});
}

TEST_F(CouponWindow, AnEmptyListIsNotSavedAndTheFocusStays) {
    click("ToolButton2");
    EXPECT_EQ(dialogs.warnings(),
              QStringList{QString::fromUtf8("Programa Herhangibir Tahmin yaptırtmadınız  ... ")});
    EXPECT_FALSE(asked(QStringLiteral("save")));
    EXPECT_FALSE(listHasFocus());
}

TEST_F(CouponWindow, SaveReplacesAFileAndGivesTheListTheFocusEitherWay) {
    struct Case {
        QStringList lines;
        bool confirmed;
        QByteArray file;
    };
    const Case cases[] = {
        {{QStringLiteral("1 - A - B\t1\t2 - 3")}, true, "1 - A - B\t1\t2 - 3\r\n"},
        // Entries count, not their text.
        {{QString(), QString()}, true, "\r\n\r\n"},
        {{QStringLiteral("1")}, false, "eski kupon dosyası\r\n"},
    };
    for (const Case& c : cases) {
        form = std::make_unique<TForm8>(program);
        list = form->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        fill(c.lines);
        writeBytes(file("kupon.txt"), "eski kupon dosyası\r\n");
        dialogs.clear();
        if (c.confirmed)
            dialogs.answerNextFileDialog(file("kupon.txt"));

        click("ToolButton2");

        EXPECT_EQ(readBytes(file("kupon.txt")), c.file);
        EXPECT_TRUE(dialogs.warnings().isEmpty());
        EXPECT_FALSE(asked(QStringLiteral("ask")));
        ASSERT_EQ(dialogs.asked.size(), 1u);
        EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Dosya Olarak Kaydet"));
        EXPECT_EQ(dialogs.asked[0].text, QStringLiteral("Text Dosyalar (*.txt)|*.txt"));
        EXPECT_EQ(dialogs.asked[0].extra, QStringLiteral("Kupon1.txt"));
        EXPECT_TRUE(listHasFocus());
    }
}

TEST_F(CouponWindow, ALineOutsideTheTurkishCodePageIsRefused) {
    fill({QStringLiteral("1 - A - B"), QString::fromUtf8("2 - Győr - C")});
    dialogs.answerNextFileDialog(file("kupon.txt"));
    click("ToolButton2");
    EXPECT_EQ(dialogs.warnings(),
              QStringList{QString::fromUtf8("2. satırda Türkçe kod sayfasında olmayan bir karakter var, "
                                            "Dosya Kaydedilmedi  ... ")});
    EXPECT_FALSE(QFile::exists(file("kupon.txt")));
}

TEST_F(CouponWindow, AWriteErrorGoesToTheErrorDisplayAndKeepsTheList) {
    fill({QStringLiteral("1")});
    dialogs.answerNextFileDialog(file("yok/kupon.txt"));
    click("ToolButton2");
    EXPECT_EQ(dialogs.errors().size(), 1);
    EXPECT_EQ(form->lines(), QStringList{QStringLiteral("1")});
}

TEST_F(CouponWindow, DeleteLineRemovesOnlyTheSelectedEntry) {
    struct Case {
        QStringList lines;
        int selected; // -1: none
        int presses;
        QStringList left;
        bool focus;
    };
    const QStringList abc{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    const Case cases[] = {
        {abc, 1, 1, {QStringLiteral("a"), QStringLiteral("c")}, true},
        {abc, -1, 1, abc, false},
        {{}, -1, 1, {}, false},
        {{QStringLiteral("son")}, 0, 1, {}, false},
        // The entry after a deleted one is not taken as chosen.
        {abc, 0, 2, {QStringLiteral("b"), QStringLiteral("c")}, true},
    };
    for (const Case& c : cases) {
        form = std::make_unique<TForm8>(program);
        list = form->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        fill(c.lines);
        if (c.selected >= 0)
            list->setCurrentRow(c.selected);
        for (int i = 0; i < c.presses; ++i)
            click("ToolButton4");
        EXPECT_EQ(form->lines(), c.left) << c.selected;
        EXPECT_EQ(listHasFocus(), c.focus) << c.selected;
    }
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(CouponWindow, DeleteAllEmptiesTheListWithoutAsking) {
    for (const QStringList& lines : {QStringList{}, QStringList{QStringLiteral("a"), QStringLiteral("b")}}) {
        fill(lines);
        click("ToolButton5");
        EXPECT_EQ(list->count(), 0);
    }
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(CouponWindow, EscDoesNotCloseButClosingHidesAndKeepsTheList) {
    fill({QStringLiteral("1")});
    form->show();
    QTest::keyClick(list, Qt::Key_Escape);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    form->close();
    EXPECT_FALSE(form->isVisible());
    form->appendLine(QStringLiteral("2"));
    form->show();
    EXPECT_EQ(form->lines(), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
}

TEST_F(CouponWindow, TabsStopEveryTwoAverageCharacterWidthsInFifteenPixelRows) {
    fill({QStringLiteral("X"), QStringLiteral("\t\tX")});
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.font = list->font();
    const auto hint = [&](int row) {
        return list->itemDelegate()->sizeHint(option, list->model()->index(row, 0));
    };
    const int tabStop = qRound(2 * QFontMetricsF(list->font()).averageCharWidth());
    EXPECT_EQ(hint(1).width() - hint(0).width(), 2 * tabStop);
    EXPECT_EQ(hint(0).height(), 15);
}

} // namespace
} // namespace vezal
