#pragma once

#include "ScriptedDialogs.h"
#include "windows/Program.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

class QTableWidget;
#include <memory>
#include <optional>

#include <ostream>

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace vezal {
class ProgramWindows;
}

namespace vezal::testing {

// The whole program in a temporary folder: scripted dialogs, a fixed day, klasman.dat as given bytes (or
// none), and the eight windows once start() has run.
class TestProgram {
    QTemporaryDir dir_; // first: the program lives in it

public:
    static inline const QDate kToday{2009, 3, 14};

    TestProgram();
    ~TestProgram();

    // Writes klasman.dat; call before start() for what the program finds at start.
    void writeLeagueFile(const QByteArray& bytes);
    bool leagueFileExists() const;
    QByteArray leagueFileBytes() const;
    QString leagueFilePath() const;
    QString folder() const { return dir_.path(); }

    void start();
    void stop();
    // The windows between start() and stop().
    ProgramWindows& windows() const { return *windows_; }

    // A control of a window, by objectName; fails the test when it is missing.
    template <typename T> T* find(QWidget* window, const QString& name) const {
        T* found = window->findChild<T*>(name);
        if (!found)
            reportMissing(window, name);
        return found;
    }

    // Rows of the table Liste (a second connection on the same file), as "Tur|Klas|Etkm|Mtkm".
    QStringList rows() const;
    int rowCount(const QString& league) const;
    // Etp and Mtp of a team's seed row, when there is one.
    std::optional<std::pair<double, double>> seedPoints(const QString& league, const QString& team) const;

    ScriptedDialogs dialogs;
    Program program;

private:
    static void reportMissing(QWidget* window, const QString& name);
    std::unique_ptr<ProgramWindows> windows_;
};

// Windows-1254 bytes of a text, as klasman.dat holds it.
QByteArray codePage1254(const QString& text);

// A season of Kartal, Bolu, Sivas, Çorum, Rize and İzmir imported into the league, each team starting on 5
// points: ten Saturdays from 02.08.2008, three matches each, with average 1X2 odds. Returns the rows added.
qsizetype importSixTeamSeason(Program& program, const QString& league);

// Starts the program on the league T1 with the six-team season and writes the fixture file into its
// folder; the file's path, empty when something failed (the failure reported).
QString startWithFixtures(TestProgram& app, const QByteArray& fixtures);

// Types over a table cell as the user does: the cell chosen, F2, the text into its editor, Enter. Enter
// commits on the next turn of the event loop, and a window takes the text on the one after.
void typeIntoCell(QTableWidget* grid, int row, int column, const QString& text);

} // namespace vezal::testing
