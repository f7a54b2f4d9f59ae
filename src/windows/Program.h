#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace vezal {

struct CouponPairing;
class Database;
class Dialogs;
class MatchTable;
class WaitNotice;
class WaitObserverScope;

// A fixture to predict in the main window.
struct PairingToPredict {
    QString league;
    QString home;
    QString away;
    QDate day;
    std::array<std::optional<double>, 3> odds; // 1, 0, 2
};

// What the main window offers the other windows: its league selector and view.
class LeagueSelector {
public:
    // klasman.dat into the selector, replacing its items, nothing selected. On a file error the items stay.
    virtual void loadLeagues() = 0;
    // Reads klasman.dat again and shows the league's view, as choosing it in the selector does.
    virtual void showLeague(const QString& name) = 0;
    // The league whose view is shown; empty when none. The import and fixture windows start on it.
    virtual QString loadedLeague() const = 0;

protected:
    ~LeagueSelector() = default;
};

// How one window reaches another: the window set implements it, so that no window knows another's class.
class Navigation {
public:
    // The main window, to centre over and to show again when an administration window closes.
    virtual QWidget* mainWindow() const = 0;
    virtual LeagueSelector& leagueSelector() = 0;

    // The administration windows, shown modally over the hidden main window.
    virtual void openLeagueList(const QStringList& names) = 0;
    virtual void openTeamList() = 0;
    virtual void openResults(const QDate& day) = 0;
    virtual void openAbout() = 0;
    virtual void openImport() = 0;
    virtual void openFixtures() = 0;
    // The windows beside the main window.
    virtual void showReport() = 0;
    virtual void showHelp() = 0;
    virtual void showCoupon() = 0;
    // The track record, walking the league when it is one of the list; without one, the window's own list.
    virtual void openTrackRecord(const QString& league) = 0;
    // The bets placed, settled from the table as it is now.
    virtual void showBets() = 0;
    // The team's home and away points over time.
    virtual void showRatingChart(const QString& team) = 0;
    // The week's bulletin, beside the main window.
    virtual void openBulletin() = 0;
    // The pairing in the main window on its day, with its odds of 1, 0 and 2 where known, "Tahmin" pressed
    // there.
    virtual void predictPairing(const PairingToPredict& pairing) = 0;

    // What a prediction adds to the report and to the coupon list (a line the list holds in any letter
    // case is not added again).
    virtual void addToReport(const QStringList& lines) = 0;
    // The line keeps the league and day of the pairing it predicts, so that a bet on it can be placed on
    // that match.
    virtual void addToCoupon(const QString& line, const CouponPairing& pairing) = 0;

protected:
    ~Navigation() = default;
};

// Tells the windows that show what the table holds that it may have changed: once per turn of the event
// loop after any transaction of the program's connection that wrote has ended, whichever window or action
// wrote. What another process writes is not told here; a window reads it again when it is activated.
class DataChanges : public QObject {
    Q_OBJECT
public:
    // Asks for one changed() on the next turn of the event loop.
    void post();

signals:
    void changed();

private:
    bool posted_ = false;
};

// The one program object of a run: the data folder with its match table and league list, the dialogs, the
// clock and the way to the other windows. main() passes the executable's folder, the real dialogs and the
// system clock; tests a temporary folder, scripted dialogs and a fixed day.
class Program {
public:
    Program(QString folder, Dialogs& dialogs, std::function<QDate()> today);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Opens Fvt/Liste.DB and the table Liste; throws StoreError, whose message table() repeats later.
    // Runs SQLite's quick check on it: damage found stops every advice and write (see refusesAdvice()).
    // A league with rows in the table that klasman.dat lacks is listed again (see ListedLeagues.h);
    // returns what to tell the user about that, nothing when all was in order.
    QStringList openTable();
    // The table Liste, opened at start. Every write through it is committed when it returns. Throws
    // StoreError when the table could not be opened.
    MatchTable& table();
    // The database under the table; throws as table() does.
    Database& database();
    // Closes the table; the windows' queries on it must be gone first.
    void closeTable();

    // klasman.dat in the data folder.
    QString leagueListPath() const;

    // Whether an advice must not be given: the database was found damaged, at start or by the whole check
    // of the menu. The refusal is shown in the warning box over parent.
    bool refusesAdvice(QWidget* parent);
    // The same for a window that only changes the data, which also stays shut on a folder that cannot be
    // written.
    bool refusesChanges(QWidget* parent);
    // The whole check's verdict, kept as the quick check's is: problems found stop advice and writes, a
    // sound file lets them go on.
    void keepCheckVerdict(const QStringList& problems);
    // What the program itself writes to the table and the bets, told as it happens.
    DataChanges& changes() const { return *changes_; }

    // Set by the window set while its windows exist.
    Navigation& navigation() const;
    bool hasWindows() const { return navigation_ != nullptr; }
    void setNavigation(Navigation* navigation) { navigation_ = navigation; }

    const QString folder; // absolute, whatever the working folder becomes
    Dialogs& dialogs;
    const std::function<QDate()> today;

private:
    // While the program lives, a wait for another process shows a notice through the dialogs.
    std::unique_ptr<WaitNotice> waitNotice_;
    std::unique_ptr<WaitObserverScope> waitScope_;
    std::unique_ptr<DataChanges> changes_;
    std::unique_ptr<Database> database_;
    std::unique_ptr<MatchTable> table_;
    QString tableError_; // why the table did not open, repeated to whoever needs it
    Navigation* navigation_ = nullptr;
};

} // namespace vezal
