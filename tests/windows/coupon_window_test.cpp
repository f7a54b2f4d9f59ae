#include "windows/CouponWindow.h"

#include "support/ScriptedDialogs.h"
#include "support/TestApp.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace vezal {
namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<yok>");
}

class CouponWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::testApp();
        ASSERT_TRUE(folder.isValid());
        renew({});
    }
    // A fresh window holding these lines; it is never shown, so its focus stays where the actions put it.
    void renew(const QStringList& lines) {
        form = std::make_unique<CouponWindow>(program);
        list = form->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        for (const QString& line : lines)
            form->appendLine(line);
    }
    void click(const char* action) { form->findChild<QAction*>(QString::fromLatin1(action))->trigger(); }
    bool listHasFocus() const { return form->focusWidget() == list; }
    QString file(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    QTemporaryDir folder;
    testing::ScriptedDialogs dialogs;
    Program program{folder.path(), dialogs, [] {
                        return QDate(2024, 5, 1);
                    }};
    std::unique_ptr<CouponWindow> form;
    QListWidget* list = nullptr;
};

TEST_F(CouponWindowTest, OpenReplacesTheListLineForLine) {
    renew({QStringLiteral("eski kupon")});
    QFile coupon(file("kupon.txt"));
    ASSERT_TRUE(coupon.open(QIODevice::WriteOnly));
    coupon.write("\xDE"
                 "ampiyon\r\n\nMa\xE7\r"); // "Şampiyon", "", "Maç"
    coupon.close();
    dialogs.answerNextFileDialog(file("kupon.txt"));
    click("ToolButton6");
    click("ToolButton6"); // cancelled: nothing changes
    EXPECT_EQ(form->lines(),
              (QStringList{QString::fromUtf8("Şampiyon"), QString(), QString::fromUtf8("Maç")}));
    EXPECT_EQ(dialogs.asked.at(0).title, QString::fromUtf8("Dosya Seçiminizi Yapın"));
    EXPECT_EQ(dialogs.asked.at(0).text, QStringLiteral("Text Dosyalar (*.txt)|*.txt|"));
}

TEST_F(CouponWindowTest, SaveCountsEntriesReplacesTheFileAndFocusesTheListEitherWay) {
    const struct {
        QStringList lines;
        bool confirmed;
        QByteArray file;
    } cases[] = {
        {{QString::fromUtf8("1 - Beşiktaş - Göztepe\t1\t2 - 3")},
         true,
         "1 - Be\xFEikta\xFE - G\xF6ztepe\t1\t2 - 3\r\n"},
        {{QString(), QString()}, true, "\r\n\r\n"},
        {{QStringLiteral("1")}, false, "eski\r\n"},
    };
    for (const auto& c : cases) {
        renew(c.lines);
        QFile old(file("kupon.txt"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("eski\r\n");
        old.close();
        dialogs.clear();
        if (c.confirmed)
            dialogs.answerNextFileDialog(file("kupon.txt"));

        click("ToolButton2");

        EXPECT_EQ(readBytes(file("kupon.txt")), c.file);
        ASSERT_EQ(dialogs.asked.size(), 1u);
        EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Dosya Olarak Kaydet"));
        EXPECT_EQ(dialogs.asked[0].text, QStringLiteral("Text Dosyalar (*.txt)|*.txt"));
        EXPECT_EQ(dialogs.asked[0].extra, QStringLiteral("Kupon1.txt"));
        EXPECT_TRUE(listHasFocus());
    }
}

TEST_F(CouponWindowTest, AnEmptyListIsNotSavedAndTheFocusStays) {
    click("ToolButton2");
    EXPECT_EQ(dialogs.warnings(),
              QStringList{QString::fromUtf8("Programa Herhangibir Tahmin yaptırtmadınız  ... ")});
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_FALSE(listHasFocus());
}

TEST_F(CouponWindowTest, DeletesOnlyTheSelectedEntryOrEverythingWithoutAsking) {
    const QStringList abc{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    const struct {
        QStringList lines;
        int selected; // -1: none
        std::vector<const char*> clicks;
        QStringList left;
        bool focus;
    } cases[] = {
        {abc, 1, {"ToolButton4"}, {QStringLiteral("a"), QStringLiteral("c")}, true},
        {abc, -1, {"ToolButton4"}, abc, false},
        {{}, -1, {"ToolButton4"}, {}, false},
        {{QStringLiteral("son")}, 0, {"ToolButton4"}, {}, false},
        // The entry after a deleted one is not taken as chosen.
        {abc, 0, {"ToolButton4", "ToolButton4"}, {QStringLiteral("b"), QStringLiteral("c")}, true},
        {{}, -1, {"ToolButton5"}, {}, false},
        {abc, 2, {"ToolButton5"}, {}, false},
    };
    for (const auto& c : cases) {
        renew(c.lines);
        if (c.selected >= 0)
            list->setCurrentRow(c.selected);
        for (const char* action : c.clicks)
            click(action);
        EXPECT_EQ(form->lines(), c.left) << c.clicks.back() << " " << c.selected;
        EXPECT_EQ(listHasFocus(), c.focus) << c.clicks.back() << " " << c.selected;
    }
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(CouponWindowTest, EscDoesNotCloseItAndClosingKeepsTheList) {
    renew({QStringLiteral("1")});
    form->show();
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    form->close();
    EXPECT_FALSE(form->isVisible());
    form->appendLine(QStringLiteral("2"));
    form->show();
    EXPECT_EQ(form->lines(), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
}

TEST_F(CouponWindowTest, TabsStopEveryTwoAverageCharacterWidthsInFifteenPixelRows) {
    renew({QStringLiteral("X"), QStringLiteral("\t\tX")});
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.font = list->font();
    const auto hint = [&](int row) {
        return list->itemDelegate()->sizeHint(option, list->model()->index(row, 0));
    };
    EXPECT_EQ(hint(1).width() - hint(0).width(),
              2 * qRound(2 * QFontMetricsF(list->font()).averageCharWidth()));
    EXPECT_EQ(hint(0).height(), 15);
}

} // namespace
} // namespace vezal
