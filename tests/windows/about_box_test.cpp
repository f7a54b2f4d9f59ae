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
    EXPECT_EQ(box->size(), QSize(298, 213));
    EXPECT_EQ(run.find<QLabel>(box, "ProductName")->text(), QStringLiteral("Futbol Vezal  2.0"));
    auto* ok = run.find<QPushButton>(box, "OKButton");
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
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
