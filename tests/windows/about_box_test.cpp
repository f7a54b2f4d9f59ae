#include "support/TestProgram.h"
#include "windows/ProgramWindows.h"

#include "windows/AboutBox.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::TestProgram;

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        run.writeLeagueFile(QByteArray());
        run.start();
        box = run.windows().about();
        run.dialogs.showModal(box);
        run.dialogs.clear();
    }
    QStringList addresses() const {
        QStringList opened;
        for (const auto& asked : run.dialogs.asked)
            if (asked.kind == "address")
                opened << asked.text;
        return opened;
    }

    TestProgram run;
    AboutBox* box = nullptr;
};

TEST_F(AboutBoxTest, ShowsTheProductWithOkAsItsDefaultButton) {
    EXPECT_EQ(box->windowTitle(), QString::fromUtf8("Hakkında"));
    EXPECT_EQ(box->size(), QSize(298, 231));
    EXPECT_EQ(run.find<QLabel>(box, "ProductName")->text(), QStringLiteral("Futbol Vezal  2.0"));
    auto* ok = run.find<QPushButton>(box, "OKButton");
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
}

TEST_F(AboutBoxTest, ShowsTheDataFolderInUseInTheBoxFont) {
    auto* label = run.find<QLabel>(box, "DataFolderLabel");
    const QString full = QString::fromUtf8("Veri klasörü: ") + run.folder();
    const QString shown = label->text();
    // A temporary folder's path may be too long for the line: then its middle gives way, never its ends.
    if (shown != full) {
        EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
        EXPECT_TRUE(full.startsWith(shown.section(QChar(0x2026), 0, 0))) << shown.toStdString();
        EXPECT_TRUE(full.endsWith(shown.section(QChar(0x2026), 1))) << shown.toStdString();
        EXPECT_TRUE(shown.startsWith(QString::fromUtf8("Veri klasörü: /"))) << shown.toStdString();
    }
    EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->width());
    EXPECT_EQ(label->toolTip(), run.folder());
    EXPECT_EQ(label->font(), box->font());
    // Under the rights lines, inside the panel, above the button.
    const QLabel* rights = run.find<QLabel>(box, "Label4");
    EXPECT_GE(label->y(), rights->geometry().bottom());
    EXPECT_LE(label->geometry().bottom(), label->parentWidget()->height());
    EXPECT_LT(label->mapTo(box, QPoint(0, label->height())).y(), run.find<QPushButton>(box, "OKButton")->y());
}

TEST_F(AboutBoxTest, TheWebAddressOpensTheMakersPageAndTheBoxStaysOpen) {
    auto* web = run.find<QLabel>(box, "Label1");
    EXPECT_EQ(web->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(web, Qt::LeftButton);
    EXPECT_EQ(addresses(), QStringList{QStringLiteral("http://www.vezal.example/index.asp")});
    EXPECT_TRUE(box->isVisible());
}

TEST_F(AboutBoxTest, TheMailAddressStartsAMailAndClosesTheBox) {
    auto* mail = run.find<QLabel>(box, "Label2");
    EXPECT_EQ(mail->text(), QStringLiteral("bilgi@vezal.example"));
    QTest::mouseClick(mail, Qt::LeftButton);
    EXPECT_EQ(addresses(), QStringList{QStringLiteral("mailto:bilgi@vezal.example")});
    EXPECT_FALSE(box->isVisible());
}

TEST_F(AboutBoxTest, OkClosesTheBox) {
    QTest::mouseClick(run.find<QPushButton>(box, "OKButton"), Qt::LeftButton);
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(addresses().isEmpty());
}

} // namespace
} // namespace vezal
