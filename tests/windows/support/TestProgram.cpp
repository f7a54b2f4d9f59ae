#include "TestProgram.h"

#include "TestApp.h"
#include "exchange/Import.h"
#include "exchange/MatchFile.h"
#include "store/LeagueListFile.h"
#include "windows/ProgramWindows.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace vezal::testing {

namespace {

// A second connection on the table file, so that tests read what is stored, not what a window shows.
class Reader {
public:
    explicit Reader(const QString& folder) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kName);
        db.setDatabaseName(folder + QStringLiteral("/Fvt/Liste.DB"));
        db.open();
    }
    ~Reader() {
        QSqlDatabase::database(kName, false).close();
        QSqlDatabase::removeDatabase(kName);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(kName, false); }
    static inline const QString kName = QStringLiteral("TestReader");
};

} // namespace

TestProgram::TestProgram() : program(dir_.path(), dialogs, [] { return kToday; }) {
    testApp();
}

TestProgram::~TestProgram() {
    stop();
}

void TestProgram::writeLeagueFile(const QByteArray& bytes) {
    QFile file(leagueFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

bool TestProgram::leagueFileExists() const {
    return QFile::exists(leagueFilePath());
}

QByteArray TestProgram::leagueFileBytes() const {
    QFile file(leagueFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString TestProgram::leagueFilePath() const {
    return leagueListPath(dir_.path());
}

void TestProgram::start() {
    windows_ = std::make_unique<ProgramWindows>(program);
}

void TestProgram::stop() {
    windows_.reset();
}

QStringList TestProgram::rows() const {
    Reader reader(dir_.path());
    QStringList found;
    {
        QSqlQuery query(reader.db());
        query.exec(QStringLiteral("select Tur, Klas, Etkm, Mtkm from Liste order by Sr"));
        while (query.next())
            found << QStringLiteral("%1|%2|%3|%4")
                         .arg(query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                              query.value(3).toString());
    }
    return found;
}

int TestProgram::rowCount(const QString& league) const {
    int count = 0;
    for (const QString& row : rows())
        if (row.section(u'|', 1, 1) == league)
            ++count;
    return count;
}

std::optional<std::pair<double, double>> TestProgram::seedPoints(const QString& league,
                                                                 const QString& team) const {
    Reader reader(dir_.path());
    QSqlQuery query(reader.db());
    query.prepare(QStringLiteral("select Etp, Mtp from Liste where Tur = 'A' and Klas = ? and Etkm = ?"));
    query.addBindValue(league);
    query.addBindValue(team);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return std::pair{query.value(0).toDouble(), query.value(1).toDouble()};
}

void TestProgram::reportMissing(QWidget* window, const QString& name) {
    ADD_FAILURE() << "no control " << name.toStdString() << " in "
                  << (window ? window->objectName().toStdString() : std::string("(none)"));
}

QByteArray codePage1254(const QString& text) {
    QStringEncoder encoder("windows-1254");
    return encoder.encode(text);
}

QString startWithFixtures(TestProgram& app, const QByteArray& fixtures) {
    app.writeLeagueFile("T1\r\n");
    app.start();
    EXPECT_EQ(importSixTeamSeason(app.program, "T1"), 30);
    QFile file(app.folder() + "/fikstur.csv");
    if (!file.open(QIODevice::WriteOnly) || file.write(fixtures) != fixtures.size()) {
        ADD_FAILURE() << "the fixture file cannot be written";
        return {};
    }
    return file.fileName();
}

void typeIntoCell(QTableWidget* grid, int row, int column, const QString& text) {
    grid->setFocus();
    grid->setCurrentCell(row, column);
    QTest::keyClick(grid->viewport(), Qt::Key_F2);
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    QApplication::processEvents();
}

qsizetype importSixTeamSeason(Program& program, const QString& league) {
    const QStringList teams = {"Kartal", "Bolu", "Sivas", "Çorum", "Rize", "İzmir"};
    QByteArray csv = "Date,HomeTeam,AwayTeam,FTHG,FTAG,AvgH,AvgD,AvgA\n";
    QList<int> ring = {0, 1, 2, 3, 4, 5};
    for (int week = 0; week < 10; ++week) {
        for (int i = 0; i < 3; ++i) {
            int home = ring[i], away = ring[5 - i];
            if ((week + i) % 2 == 0)
                std::swap(home, away);
            csv +=
                QStringLiteral("%1,%2,%3,%4,%5,%6,3.30,%7\n")
                    .arg(QDate(2008, 8, 2).addDays(7 * week).toString("dd/MM/yyyy"), teams[home], teams[away])
                    .arg((week + 2 * home) % 4)
                    .arg((week + away) % 3)
                    .arg(1.6 + 0.3 * i, 0, 'f', 2)
                    .arg(2.2 + 0.4 * ((week + i) % 4), 0, 'f', 2)
                    .toUtf8();
        }
        ring.move(5, 1);
    }
    const MatchFileReading reading = readMatchFile(csv, MatchFileKind::Results, QDate(2025, 3, 1));
    ImportOptions options;
    options.startingPoints = 5;
    return importResults(program.database(), program.table(), league, reading.rows, options).added;
}

} // namespace vezal::testing
