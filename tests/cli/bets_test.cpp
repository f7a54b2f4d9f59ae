// vezal-cli's bets: placed before a round is imported, settled by its import, listed, summed, voided and
// deleted, and the refusals.
#include "support/CliHarness.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::ProgramFolder;

const QByteArray kHeader = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,AvgCH,AvgCD,AvgCA\r\n";
const QByteArray kFirstRound = "T1,01/09/2024,Kartal,Bolu,1,0,,,\r\n"
                               "T1,01/09/2024,Sivas,Rize,0,0,,,\r\n"
                               "T1,01/09/2024,Hatay,Çorum,2,2,,,\r\n";
const QByteArray kSecondRound = "T1,08/09/2024,Bolu,Sivas,2,1,2.00,3.50,4.00\r\n"
                                "T1,08/09/2024,Rize,Hatay,1,1,,,\r\n"
                                "T1,08/09/2024,Çorum,Kartal,0,3,,,\r\n";

class BetsCommand : public ::testing::Test {
protected:
    void SetUp() override {
        folder.ok({"add-league", "T1"});
        ASSERT_NO_FATAL_FAILURE(import(kFirstRound));
        EXPECT_EQ(folder.ok({"bet", "add", "--stake", "10", "--placed", "05.09.2024",
                             "T1|08.09.2024|Bolu|Sivas|1|2.10"}),
                  "bet\t1\n");
        EXPECT_EQ(folder.ok({"bet", "add", "--stake", "5", "--placed", "05.09.2024",
                             "T1|08.09.2024|Bolu|Sivas|1|2.10", "T1|08.09.2024|Rize|Hatay|ust|1,90"}),
                  "bet\t2\n");
        EXPECT_EQ(folder.ok({"bet", "add", "--placed", "06.09.2024", "--stake", "20,0",
                             "T1|08.09.2024|Çorum|Kartal|2|1.5"}),
                  "bet\t3\n");
    }
    void import(const QByteArray& lines) {
        QFile file(folder.file("sonuc.csv"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kHeader + lines);
        file.close();
        folder.ok({"import", "T1", file.fileName()});
    }

    ProgramFolder folder;
};

TEST_F(BetsCommand, TheImportSettlesTheListedBets) {
    const QString header = "id\tplaced\tstake\todds\tstatus\tprofit\tclv\tselections\n";
    EXPECT_EQ(folder.ok({"bets", "--open"}),
              header + "1\t2024-09-05\t10.00\t2.10\taçık\t0.00\t\tBolu-Sivas:1@2.10\n"
                       "2\t2024-09-05\t5.00\t3.99\taçık\t0.00\t\tBolu-Sivas:1@2.10; Rize-Hatay:UST@1.90\n"
                       "3\t2024-09-06\t20.00\t1.50\taçık\t0.00\t\tÇorum-Kartal:2@1.50\n");
    EXPECT_EQ(folder.ok({"bets", "--settled"}), header);

    ASSERT_NO_FATAL_FAILURE(import(kFirstRound + kSecondRound));
    // Bolu 2-1: 10 * 1.10 won, CLV 2.10 * 14/29 - 1 = 0.0138 (average closing 2.00 3.50 4.00: 1/2 over
    // 29/28); Rize 1-1 has two goals: the coupon is lost; Çorum 0-3: 20 * 0.50 won.
    const QString settled =
        header + "1\t2024-09-05\t10.00\t2.10\tkazandı\t11.00\t0.0138\tBolu-Sivas:1@2.10\n"
                 "2\t2024-09-05\t5.00\t3.99\tkaybetti\t-5.00\t\tBolu-Sivas:1@2.10; Rize-Hatay:UST@1.90\n"
                 "3\t2024-09-06\t20.00\t1.50\tkazandı\t10.00\t\tÇorum-Kartal:2@1.50\n";
    EXPECT_EQ(folder.ok({"bets"}), settled);
    EXPECT_EQ(folder.ok({"bets", "--settled"}), settled);
    EXPECT_EQ(folder.ok({"bets", "--open"}), header);

    // 35 staked, 16 won: 45.7 %; the one single with closing odds gives the mean CLV.
    folder.ok({"bet", "bankroll", "1000"});
    EXPECT_EQ(folder.ok({"bets", "--summary"}),
              "name\tvalue\nbets\t3\nopen\t0\nwon\t2\nlost\t1\nstaked\t35.00\n"
              "profit\t16.00\nyield\t45.7\nclv\t1.38\nbankroll\t1016.00\n");

    folder.ok({"bet", "void", "3"});
    folder.ok({"bet", "delete", "2"});
    EXPECT_EQ(folder.ok({"bets"}),
              header + "1\t2024-09-05\t10.00\t2.10\tkazandı\t11.00\t0.0138\tBolu-Sivas:1@2.10\n"
                       "3\t2024-09-06\t20.00\t1.50\tiptal\t0.00\t\tÇorum-Kartal:2@1.50\n");
    EXPECT_EQ(folder.ok({"bets", "--summary"}),
              "name\tvalue\nbets\t2\nopen\t0\nwon\t1\nlost\t0\nstaked\t10.00\n"
              "profit\t11.00\nyield\t110.0\nclv\t1.38\nbankroll\t1011.00\n");
}

TEST_F(BetsCommand, RefusalsWriteNothing) {
    struct Case {
        QStringList args;
        int code;
        const char* err; // the first line
    };
    const Case cases[] = {
        {{"bet", "add", "--stake", "5", "T1|15.09.2024|Bolu|Rize|1|2.0", "T1|15.09.2024|Bolu|Rize|ALT|1.8"},
         1,
         "Bir kupona aynı maçtan iki seçim konamaz: Bolu - Rize"},
        {{"bet", "add", "--stake", "5", "T2|15.09.2024|Bolu|Rize|1|2.0"},
         1,
         "Lig listesinde böyle bir lig yok: T2"},
        {{"bet", "add", "--stake", "0", "T1|15.09.2024|Bolu|Rize|1|2.0"},
         1,
         "Bahis miktarı sıfırdan büyük olmalı."},
        {{"bet", "add", "--stake", "5", "T1|15.09.2024|Bolu|Rize|X|2.0"},
         2,
         "vezal-cli: Seçimin sonucu 1, 0, 2, ALT, UST, KGVAR ya da KGYOK olmalı: "
         "T1|15.09.2024|Bolu|Rize|X|2.0"},
        {{"bet", "add", "--stake", "5", "T1|15.09.2024|Bolu|Rize|1"}, 2, nullptr},
        {{"bet", "add", "T1|15.09.2024|Bolu|Rize|1|2.0"},
         2,
         "vezal-cli: bet add için --stake MİKTAR gerekli"},
        {{"bet", "delete", "9"}, 1, "Böyle bir bahis yok: 9"},
        {{"bet", "void", "2", "3"}, 1, "2 numaralı bahiste böyle bir seçim yok: 3"},
        {{"bets", "--open", "--summary"}, 2, nullptr},
    };
    const QString before = folder.ok({"bets"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const testing::CliRun run = folder.run(c.args);
        EXPECT_EQ(run.code, c.code);
        EXPECT_TRUE(run.out.isEmpty());
        if (c.err) {
            EXPECT_EQ(run.err.section('\n', 0, 0), QString::fromUtf8(c.err));
        }
    }
    EXPECT_EQ(folder.ok({"bets"}), before);
}

} // namespace
} // namespace vezal
