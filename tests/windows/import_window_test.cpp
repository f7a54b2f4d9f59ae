// The import and fixture windows, driven by objectName from the main window's menu with scripted dialogs.
#include "support/TestProgram.h"
#include "windows/CouponWindow.h"
#include "windows/FixtureWindow.h"
#include "windows/ImportWindow.h"
#include "windows/MainWindow.h"
#include "windows/ProgramWindows.h"
#include "windows/ReportWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::TestProgram;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// Four teams over three match days; line 5 is refused (the same team on both sides). Worked out by hand:
// 6 matches to add, none present, 1 line rejected.
const QByteArray kSeason = "Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A\r\n"
                           "01/08/09,Kartal,Bolu,2,1,1.80,3.50,4.20\r\n"
                           "01/08/09,Corum,Izmir,1,1,2.10,3.20,3.40\r\n"
                           "08/08/09,Bolu,Corum,0,2,2.50,3.10,2.80\r\n"
                           "08/08/09,Bolu,Bolu,1,0,,,\r\n"
                           "08/08/09,Izmir,Kartal,1,3,3.00,3.30,2.30\r\n"
                           "15/08/09,Kartal,Corum,1,1,1.90,3.40,4.00\r\n"
                           "15/08/09,Bolu,Izmir,2,0,2.20,3.20,3.30\r\n";

const QByteArray kFixtures = "Date,HomeTeam,AwayTeam\r\n"
                             "22/08/09,Corum,Kartal\r\n"
                             "22/08/09,Izmir,Yozgat\r\n" // not in the league: the press refuses it
                             "22/08/09,Kartal,Izmir\r\n";

class ImportWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        run.writeLeagueFile(codePage1254(utf8("1. Lig\r\n")));
        run.start();
        main = run.windows().main();
        main->show();
    }

    QString write(const char* name, const QByteArray& bytes) {
        const QString path = run.folder() + u'/' + QString::fromLatin1(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    void trigger(const char* action) { main->findChild<QAction*>(QString::fromLatin1(action))->trigger(); }
    template <typename T> T* in(QWidget* window, const char* name) const {
        return run.find<T>(window, QString::fromLatin1(name));
    }
    void click(QWidget* window, const char* button) {
        QTest::mouseClick(in<QPushButton>(window, button), Qt::LeftButton);
    }

    // Opens the import window and reads the season into a league typed by the user.
    ImportWindow* openImport(const QString& file, const QString& league) {
        trigger("ImportAction");
        ImportWindow* window = run.windows().import();
        run.dialogs.answerNextFileDialog(file);
        click(window, "ChooseFileButton");
        in<QComboBox>(window, "LeagueBox")->setEditText(league);
        return window;
    }
    QString counts(QWidget* window) const { return in<QLabel>(window, "CountsLabel")->text(); }
    static QStringList items(const QListWidget* list) {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }

    TestProgram run;
    MainWindow* main = nullptr;
};

TEST_F(ImportWindowTest, ThePreviewCountsAndListsBeforeAnythingIsWritten) {
    ImportWindow* window = openImport(write("sezon.csv", kSeason), utf8("Ege Ligi"));

    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(counts(window), utf8("Eklenecek: 6     Zaten kayıtlı: 0     Okunamayan: 1"));
    EXPECT_EQ(items(in<QListWidget>(window, "RejectedList")),
              QStringList{utf8("Satır 5: Ev sahibi ve misafir takım aynı: Bolu")});
    auto* preview = in<QTableWidget>(window, "PreviewGrid");
    ASSERT_EQ(preview->rowCount(), 6);
    EXPECT_EQ(preview->item(0, 0)->text(), QStringLiteral("01.08.2009"));
    EXPECT_EQ(preview->item(0, 3)->text(), QStringLiteral("2 - 1"));
    EXPECT_EQ(preview->item(0, 4)->text(), QStringLiteral("1,80 / 3,50 / 4,20"));
    EXPECT_TRUE(run.rows().isEmpty());
    EXPECT_EQ(run.leagueFileBytes(), codePage1254(utf8("1. Lig\r\n")));
}

TEST_F(ImportWindowTest, AktarAddsTheRowsAndTheLeagueAndTheMainWindowShowsIt) {
    ImportWindow* window = openImport(write("sezon.csv", kSeason), utf8("Ege Ligi"));
    click(window, "ImportButton");

    EXPECT_TRUE(run.dialogs.warnings().isEmpty()) << run.dialogs.warnings().join(u'\n').toStdString();
    EXPECT_EQ(counts(window), utf8("Aktarıldı: 6 maç eklendi, 0 maç zaten kayıtlıydı, 1 satır okunamadı."));
    // Four seed rows, six matches.
    EXPECT_EQ(run.rowCount(utf8("Ege Ligi")), 10);
    EXPECT_EQ(run.leagueFileBytes(), codePage1254(utf8("1. Lig\r\nEge Ligi\r\n")));
    EXPECT_EQ(main->loadedLeague(), utf8("Ege Ligi"));
    EXPECT_EQ(in<QTableView>(main, "DBGrid1")->model()->rowCount(), 4);
    // The default 3,5 starting points, split 51 / 49 between home and away as the team window splits them.
    EXPECT_EQ(run.seedPoints(utf8("Ege Ligi"), QStringLiteral("Kartal")), (std::pair{1.785, 1.715}));

    // The same file again finds every match present.
    window = openImport(write("sezon.csv", kSeason), utf8("Ege Ligi"));
    EXPECT_EQ(counts(window), utf8("Eklenecek: 0     Zaten kayıtlı: 6     Okunamayan: 1"));
}

TEST_F(ImportWindowTest, ACancelledImportWritesNothing) {
    ImportWindow* window = openImport(write("sezon.csv", kSeason), utf8("Ege Ligi"));
    // The progress dialog's cancel button, pressed as soon as the import lets events through.
    QTimer::singleShot(0, window, [window] {
        if (auto* progress = window->findChild<QProgressDialog*>(QStringLiteral("ImportProgress")))
            progress->cancel();
    });
    click(window, "ImportButton");

    EXPECT_EQ(run.dialogs.warnings(),
              QStringList{utf8("İçe aktarma iptal edildi: maç tablosu ve lig listesi önceki halinde  ... ")});
    EXPECT_TRUE(run.rows().isEmpty());
    EXPECT_EQ(run.leagueFileBytes(), codePage1254(utf8("1. Lig\r\n")));
}

TEST_F(ImportWindowTest, AktarWithoutAFileOrALeagueWarns) {
    trigger("ImportAction");
    ImportWindow* window = run.windows().import();
    click(window, "ImportButton");
    run.dialogs.answerNextFileDialog(write("sezon.csv", kSeason));
    click(window, "ChooseFileButton");
    click(window, "ImportButton");
    EXPECT_EQ(run.dialogs.warnings(),
              (QStringList{utf8("Öncelikle içe aktarılacak dosyayı seçmelisiniz  ... "),
                           utf8("Sonuçların ekleneceği ligi seçmeli ya da yazmalısınız  ... ")}));
    for (const auto& asked : run.dialogs.asked) {
        if (asked.kind == "warn") {
            EXPECT_EQ(asked.extra, QStringLiteral("warning icon")) << asked.text.toStdString();
        }
    }
    EXPECT_TRUE(run.rows().isEmpty());
}

// The fixture list gives what pressing "Tahmin" for each pairing in turn gives: the same blocks in the
// report, and coupon lines that the presses then find already there.
TEST_F(ImportWindowTest, FixturePredictionsEqualTheMainWindowsPresses) {
    click(openImport(write("sezon.csv", kSeason), utf8("Ege Ligi")), "ImportButton");
    run.windows().import()->close();

    trigger("FixturesAction");
    FixtureWindow* fixtures = run.windows().fixtures();
    run.dialogs.answerNextFileDialog(write("fikstur.csv", kFixtures));
    click(fixtures, "ChooseFileButton");
    auto* league = in<QComboBox>(fixtures, "LeagueBox");
    league->setCurrentIndex(league->findText(utf8("Ege Ligi")));
    click(fixtures, "PredictButton");

    const QStringList outcomes = items(in<QListWidget>(fixtures, "OutcomeList"));
    ASSERT_EQ(outcomes.size(), 3);
    EXPECT_TRUE(outcomes[1].startsWith(utf8("2  -  Izmir - Yozgat\t:  Öncelikle tahminde")))
        << outcomes[1].toStdString();
    const QStringList report = run.windows().report()->lines();
    const QStringList coupon = run.windows().coupon()->lines();
    ASSERT_EQ(coupon.size(), 2);
    EXPECT_TRUE(coupon[0].startsWith(utf8("1  -  Corum - Kartal\t :   ")));
    EXPECT_TRUE(coupon[1].startsWith(utf8("3  -  Kartal - Izmir\t :   ")));
    fixtures->close();

    // The same two pairings pressed in the main window, in turn.
    const auto choose = [&](const char* box, const QString& item) {
        auto* list = in<QComboBox>(main, box);
        const int index = list->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        list->setCurrentIndex(index);
        emit list->activated(index);
    };
    choose("ComboBox1", utf8("Ege Ligi"));
    for (const auto& [number, home, away] : {std::tuple{"1", "Corum", "Kartal"}, {"3", "Kartal", "Izmir"}}) {
        choose("ComboBox3", QString::fromLatin1(home));
        choose("ComboBox4", QString::fromLatin1(away));
        in<QLineEdit>(main, "Memo25")->setText(QString::fromLatin1(number));
        click(main, "Button1");
    }
    EXPECT_EQ(run.windows().report()->lines(), report + report);
    EXPECT_EQ(run.windows().coupon()->lines(), coupon);
}

// Four teams, each meeting each other home and away: six matches a team, enough for the goals model.
QByteArray roundRobin() {
    const char* teams[] = {"Kartal", "Bolu", "Corum", "Izmir"};
    const int goals[4][4] = {{0, 2, 1, 3}, {0, 0, 1, 2}, {1, 1, 0, 0}, {0, 2, 2, 0}}; // [home][away], made up
    QByteArray csv = "Date,HomeTeam,AwayTeam,FTHG,FTAG\r\n";
    int day = 1;
    for (int home = 0; home < 4; ++home)
        for (int away = 0; away < 4; ++away)
            if (home != away)
                csv += QByteArray::number(day++).rightJustified(2, '0') + "/09/09," + teams[home] + ',' +
                       teams[away] + ',' + QByteArray::number(goals[home][away]) + ',' +
                       QByteArray::number(goals[away][home]) + "\r\n";
    return csv;
}

// "Tahmin" fills the panel with the model's probabilities; they join the commentary only when asked.
TEST_F(ImportWindowTest, TahminShowsTheModelsProbabilitiesAndAddsThemToTheCommentaryOnlyWhenAsked) {
    click(openImport(write("lig.csv", roundRobin()), utf8("Ege Ligi")), "ImportButton");
    run.windows().import()->close();
    ASSERT_EQ(main->loadedLeague(), utf8("Ege Ligi"));
    // The panel predicts its day box's day (today at start, before this league's matches): after them.
    in<QDateEdit>(main, "PredictionDayBox")->setDate(QDate(2009, 10, 1));
    const auto choose = [&](const char* box, const char* item) {
        auto* list = in<QComboBox>(main, box);
        list->setCurrentIndex(list->findText(QString::fromLatin1(item)));
        emit list->activated(list->currentIndex());
    };
    const auto press = [&](bool withLine) {
        choose("ComboBox3", "Kartal");
        choose("ComboBox4", "Bolu");
        in<QCheckBox>(main, "AddProbabilitiesBox")->setChecked(withLine);
        click(main, "Button1");
    };
    press(false);
    const QString outcome = in<QLabel>(main, "OutcomeProbabilities")->text();
    const QString goals = in<QLabel>(main, "GoalsProbabilities")->text();
    // "1: %p (fair)   0: %p (fair)   2: %p (fair)": the three percents add up to 100, each fair odd is
    // 100 / its percent.
    const QRegularExpression shape(
        utf8("^1: %(\\d+,\\d) \\((\\d+,\\d\\d)\\)   0: %(\\d+,\\d) \\((\\d+,\\d\\d)\\)   "
             "2: %(\\d+,\\d) \\((\\d+,\\d\\d)\\)$"));
    const QRegularExpressionMatch parts = shape.match(outcome);
    ASSERT_TRUE(parts.hasMatch()) << outcome.toStdString();
    const auto number = [&](int i) {
        return parts.captured(i).replace(u',', u'.').toDouble();
    };
    EXPECT_NEAR(number(1) + number(3) + number(5), 100, 0.15);
    for (int i : {1, 3, 5})
        EXPECT_NEAR(number(i + 1), 100 / number(i), 0.02 * number(i + 1)) << i;
    EXPECT_TRUE(goals.startsWith(utf8("Alt 2,5: %"))) << goals.toStdString();
    EXPECT_EQ(in<QLabel>(main, "LikelyScores")->text().count(u'%'), 3);
    EXPECT_TRUE(in<QLabel>(main, "ValueLine")->text().isEmpty()); // no odds typed
    const QStringList without = run.windows().report()->lines();
    EXPECT_FALSE(without.join(u'\n').contains(utf8("Olasılıklar")));

    in<QLineEdit>(main, "OddsHomeBox")->setText(QStringLiteral("1,90"));
    in<QLineEdit>(main, "OddsDrawBox")->setText(QStringLiteral("3,40"));
    in<QLineEdit>(main, "OddsAwayBox")->setText(QStringLiteral("4,20"));
    press(true);
    EXPECT_TRUE(in<QLabel>(main, "ValueLine")->text().startsWith(utf8("Değer: 1 ")))
        << in<QLabel>(main, "ValueLine")->text().toStdString();
    const QStringList with = run.windows().report()->lines().mid(without.size());
    // The same block as before, with the panel's line before its closing rule.
    ASSERT_EQ(with.size(), without.size() + 1);
    EXPECT_EQ(with.at(with.size() - 2), utf8("Olasılıklar\t:  ") + outcome + QStringLiteral("   ") + goals);
    EXPECT_EQ(with.mid(0, with.size() - 2), without.mid(0, without.size() - 1));

    // Choosing another team empties the panel with the prediction.
    choose("ComboBox4", "Izmir");
    EXPECT_TRUE(in<QLabel>(main, "OutcomeProbabilities")->text().isEmpty());
}

// The odds boxes take "1.44" as well as "1,44", refuse what is no odds, and belong to one pairing.
TEST_F(ImportWindowTest, OddsBoxesReadEitherDecimalMarkAndEmptyWithAnotherTeam) {
    click(openImport(write("lig.csv", roundRobin()), utf8("Ege Ligi")), "ImportButton");
    run.windows().import()->close();
    const auto choose = [&](const char* box, const char* item) {
        auto* list = in<QComboBox>(main, box);
        list->setCurrentIndex(list->findText(QString::fromLatin1(item)));
        emit list->activated(list->currentIndex());
    };
    const char* boxes[] = {"OddsHomeBox", "OddsDrawBox", "OddsAwayBox"};
    const auto type = [&](const char* home, const char* draw, const char* away) {
        const char* texts[] = {home, draw, away};
        for (int i = 0; i < 3; ++i) {
            auto* box = in<QLineEdit>(main, boxes[i]);
            box->clear();
            QTest::keyClicks(box, QString::fromLatin1(texts[i]));
        }
    };
    // "1: %p (fair) ..." and "Değer: 1 %e ..." (or "-%e"): the first percent and the first value.
    const auto firstNumber = [&](const char* label, const char* pattern) {
        const QRegularExpressionMatch m =
            QRegularExpression(utf8(pattern)).match(in<QLabel>(main, label)->text());
        return m.hasMatch() ? std::optional<double>(
                                  m.captured(1).remove(u'.').remove(u'%').replace(u',', u'.').toDouble())
                            : std::nullopt;
    };
    in<QDateEdit>(main, "PredictionDayBox")->setDate(QDate(2009, 10, 1)); // after the league's matches
    choose("ComboBox3", "Kartal");
    choose("ComboBox4", "Bolu");

    type("1.44", "3.6", "7,5");
    EXPECT_EQ(in<QLineEdit>(main, "OddsHomeBox")->text(), QStringLiteral("1.44")); // the point is typed
    click(main, "Button1");
    EXPECT_TRUE(run.dialogs.warnings().isEmpty()) << run.dialogs.warnings().join(u'\n').toStdString();
    const auto model = firstNumber("OutcomeProbabilities", "^1: %(\\d+,\\d)");
    const auto value = firstNumber("ValueLine", "^Değer: 1 (-?%[\\d.]+,\\d)");
    const auto forecast = firstNumber("ValueLine", "\\(tahmin 1 %(\\d+,\\d)");
    ASSERT_TRUE(model && value && forecast) << in<QLabel>(main, "ValueLine")->text().toStdString();
    // The bet's value at 1,44 is the forecast's, p * 1,44 - 1, p shown to a tenth of a percent; the
    // forecast lies between the model's and the odds' margin-free 1 / 1,44 / (1 / 1,44 + 1 / 3,6 + 1 / 7,5).
    EXPECT_NEAR(*value, *forecast * 1.44 - 100, 0.1);
    const double market = 100 / 1.44 / (1 / 1.44 + 1 / 3.6 + 1 / 7.5);
    EXPECT_GE(*forecast, std::min(*model, market) - 0.1);
    EXPECT_LE(*forecast, std::max(*model, market) + 0.1);

    const struct {
        const char* home;
        const char* shown; // as the warning names it
    } refused[] = {{"1", "1"}, {"1000,5", "1000,5"}, {"1.4.4", "1.4.4"}, {"0,99", "0,99"}};
    for (const auto& c : refused) {
        SCOPED_TRACE(c.home);
        run.dialogs.clear();
        type(c.home, "3.6", "7,5");
        click(main, "Button1");
        EXPECT_EQ(
            run.dialogs.warnings(),
            QStringList{utf8("Oran 1'den büyük ve en fazla 1000 olan bir ondalık sayı olmalı (1,44 ya da "
                             "1.44): ") +
                        QString::fromLatin1(c.shown)});
        EXPECT_TRUE(in<QLabel>(main, "ValueLine")->text().isEmpty());
    }

    // Another team on either side: the odds were for the pairing before.
    for (const auto& [box, team] : {std::pair{"ComboBox4", "Izmir"}, std::pair{"ComboBox3", "Corum"}}) {
        type("1.44", "3.6", "7,5");
        choose(box, team);
        for (const char* odds : boxes)
            EXPECT_TRUE(in<QLineEdit>(main, odds)->text().isEmpty()) << box << ' ' << odds;
    }
    // The same team chosen again keeps them.
    type("1.44", "3.6", "7,5");
    choose("ComboBox3", "Corum");
    EXPECT_EQ(in<QLineEdit>(main, "OddsAwayBox")->text(), QStringLiteral("7,5"));
}

// A file of 1,004 lines it cannot use: all are counted, the first thousand listed, and the list says how
// many it leaves out.
TEST_F(ImportWindowTest, AFileOfManyBadLinesListsTheFirstThousand) {
    QByteArray season = kSeason; // line 5 is its one bad line
    for (int i = 0; i < 1003; ++i)
        season += "yarin,Kartal,Bolu,1,0,,,\r\n"; // lines 9 .. 1011
    ImportWindow* window = openImport(write("sezon.csv", season), utf8("Ege Ligi"));
    EXPECT_EQ(counts(window), utf8("Eklenecek: 6     Zaten kayıtlı: 0     Okunamayan: 1004"));
    const QStringList listed = items(in<QListWidget>(window, "RejectedList"));
    ASSERT_EQ(listed.size(), 1001);
    EXPECT_EQ(listed.front(), utf8("Satır 5: Ev sahibi ve misafir takım aynı: Bolu"));
    // Lines 5 and 9 .. 1007 make the thousand.
    EXPECT_EQ(listed[999], utf8("Satır 1007: Tarih okunamadı: \"yarin\""));
    EXPECT_EQ(listed.back(), utf8("... ve 4 satır daha (her türden ilk 1000 satır listelendi)"));
}

// A score that contradicts the table is counted and listed; nothing stored changes. A pipe is no file.
TEST_F(ImportWindowTest, ConflictsAreCountedAndListedAndAPipeIsRefused) {
    click(openImport(write("sezon.csv", kSeason), utf8("Ege Ligi")), "ImportButton");
    const int rows = run.rowCount(utf8("Ege Ligi"));
    ImportWindow* window = openImport(write("fark.csv", "Date,HomeTeam,AwayTeam,FTHG,FTAG\r\n"
                                                        "01/08/09,Kartal,Bolu,0,0\r\n"
                                                        "01/08/09,Corum,Izmir,1,1\r\n"
                                                        "22/08/09,Izmir,Bolu,1,0\r\n"),
                                      utf8("Ege Ligi"));
    EXPECT_EQ(counts(window), utf8("Eklenecek: 1     Zaten kayıtlı: 1     Okunamayan: 0     Çelişen: 1"));
    EXPECT_EQ(items(in<QListWidget>(window, "RejectedList")),
              QStringList{utf8("Satır 2: Kayıtlı skor 2-1, dosyada 0-0")});
    click(window, "ImportButton");
    EXPECT_EQ(counts(window),
              utf8("Aktarıldı: 1 maç eklendi, 1 maç zaten kayıtlıydı, 0 satır okunamadı. 1 satır "
                   "kayıtlı maçla çelişti, değiştirilmedi."));
    EXPECT_EQ(run.rowCount(utf8("Ege Ligi")), rows + 1);

    const QString pipe = run.folder() + QStringLiteral("/boru.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    run.dialogs.clear();
    openImport(pipe, utf8("Ege Ligi"));
    EXPECT_EQ(
        run.dialogs.warnings(),
        QStringList{QLatin1Char('"') + pipe +
                    utf8("\" sıradan bir dosya değil (klasör, aygıt ya da boru); yalnız dosyalar okunur")});
    EXPECT_TRUE(in<QLineEdit>(window, "FileBox")->text().isEmpty());
}

} // namespace
} // namespace vezal
