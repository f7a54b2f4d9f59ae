#pragma once

#include "exchange/LeagueUpdate.h"

#include <QDialog>
#include <QStringList>
#include <vector>

class QTableWidget;

namespace vezal {

class Program;

// "  VERİLERİ GÜNCELLE": what the update did to each league, a row per league.
class LeagueUpdateWindow : public QDialog {
    Q_OBJECT
public:
    // Leagues past the one the user cancelled are listed as not reached.
    LeagueUpdateWindow(const std::vector<LeagueUpdate>& done, const QStringList& notReached,
                       QWidget* parent = nullptr);

private:
    QTableWidget* table = nullptr; // UpdateTable
};

// One file to read into a league, and how the window names it ("Süper Lig 2023-24"; empty: the league).
struct UpdateStep {
    LeagueSource source;
    QString caption;
};

// What the steps did: one entry per step reached, in the steps' order and named by its caption, and the
// captions of the steps the user's "İptal" left out.
struct UpdateRun {
    std::vector<LeagueUpdate> done;
    QStringList notReached;

    bool added() const;
};

// Reads the steps' files one after the other, behind a progress dialog whose "İptal" stops the step under
// way (whose league then stays as it was) and the rest.
UpdateRun readUpdateSteps(QWidget* parent, Program& program, const std::vector<UpdateStep>& steps,
                          const FetchOptions& fetch = {});
// The window above, over parent.
void showUpdateRun(QWidget* parent, Program& program, const UpdateRun& run);

// Both: reads the steps, then shows what they did. Returns whether any league got new rows.
bool runUpdateSteps(QWidget* parent, Program& program, const std::vector<UpdateStep>& steps,
                    const FetchOptions& fetch = {});

// Updates every league that has a source, as above.
bool updateLeaguesWithProgress(QWidget* parent, Program& program, const FetchOptions& fetch = {});

} // namespace vezal
