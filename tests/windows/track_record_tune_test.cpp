// "Ayarla" in the Başarı window: the league's xi and goals' share chosen from its past, kept, and the
// figures walked again with them; cancelled from its progress, nothing is kept.
#include "support/TestProgram.h"

#include "evidence/ModelTuning.h"
#include "exchange/Import.h"
#include "exchange/MatchFile.h"
#include "windows/ProgramWindows.h"
#include "windows/TrackRecordWindow.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::TestProgram;

const QString kLeague = QStringLiteral("Kuzey Ligi");

// A season and a half of a six-team league, a round of three matches a week from August 2009.
QByteArray results() {
    const char* teams[] = {"Kartal", "Bolu", "Sivas", "Yalova", "Hatay", "Rize"};
    const int goals[][2] = {{2, 1}, {0, 0}, {1, 1}, {3, 0}, {0, 2}, {1, 0}, {2, 2}, {0, 1}};
    QByteArray file = "Date,HomeTeam,AwayTeam,FTHG,FTAG\n";
    QDate day(2009, 8, 15);
    int k = 0;
    for (int round = 0; round < 3; ++round)
        for (int home = 0; home < 6; ++home)
            for (int away = 0; away < 6; ++away) {
                if (home == away)
                    continue;
                const int* score = goals[(k * 5 + home) % 8];
                file += QStringLiteral("%1,%2,%3,%4,%5\n")
                            .arg(day.toString(QStringLiteral("dd/MM/yyyy")), QString::fromLatin1(teams[home]),
                                 QString::fromLatin1(teams[away]))
                            .arg(score[0])
                            .arg(score[1])
                            .toUtf8();
                if (++k % 3 == 0)
                    day = day.addDays(7);
            }
    return file;
}

class TrackRecordTuneTest : public ::testing::Test {
protected:
    void SetUp() override {
        run.writeLeagueFile(codePage1254(kLeague + QStringLiteral("\r\n")));
        run.start();
        const MatchFileReading reading = readMatchFile(results(), MatchFileKind::Results, QDate(2026, 1, 1));
        ASSERT_TRUE(reading.rejected.empty());
        importResults(run.program.database(), run.program.table(), kLeague, reading.rows, {});
        window = run.windows().trackRecord();
        window->open(kLeague);
    }
    QString status() const { return run.find<QLabel>(window, QStringLiteral("StatusLabel"))->text(); }
    QPushButton* tuneButton() const { return run.find<QPushButton>(window, QStringLiteral("TuneButton")); }

    TestProgram run;
    TrackRecordWindow* window = nullptr;
};

TEST_F(TrackRecordTuneTest, KeepsTheChoiceAndSaysItInTurkish) {
    EXPECT_EQ(tuneButton()->text(), QStringLiteral("Ayarla"));
    auto* xiBox = run.find<QDoubleSpinBox>(window, QStringLiteral("XiBox"));
    EXPECT_EQ(xiBox->value(), 0.0019); // never tuned: the model's own
    QTest::mouseClick(tuneButton(), Qt::LeftButton);
    const std::optional<ModelChoice> kept = ModelChoiceTable(run.program.database()).find(kLeague);
    ASSERT_TRUE(kept);
    // Without statistics every share is goals alone, and an even loss keeps goals alone.
    EXPECT_EQ(kept->shotsWeight, 1);
    const QString xi = QLocale(QLocale::Turkish).toString(kept->xi, 'f', 4); // 0,0019: a decimal comma
    EXPECT_TRUE(status().endsWith(QStringLiteral("Gol modeli ayarlandı: xi %1, gol payı 1.").arg(xi)))
        << status().toStdString();
    EXPECT_TRUE(status().startsWith(kLeague + QStringLiteral(": ")))
        << status().toStdString(); // walked again
    EXPECT_TRUE(tuneButton()->isEnabled());
    // The box shows the choice, and the walk again used it.
    EXPECT_EQ(xiBox->value(), kept->xi);
    EXPECT_TRUE(status().contains(QStringLiteral("ξ %1,").arg(xi))) << status().toStdString();
}

TEST_F(TrackRecordTuneTest, CancelledFromItsProgressNothingIsKept) {
    QTimer::singleShot(0, window, [this] {
        if (auto* progress = window->findChild<QProgressDialog*>(QStringLiteral("TuneProgress")))
            progress->cancel();
    });
    QTest::mouseClick(tuneButton(), Qt::LeftButton);
    EXPECT_FALSE(ModelChoiceTable(run.program.database()).find(kLeague));
    EXPECT_EQ(status(),
              QStringLiteral("Gol modeli ayarlanamadı: tahmin edilebilen maç yok ya da iptal edildi."));
    EXPECT_TRUE(tuneButton()->isEnabled());
}

} // namespace
} // namespace vezal
