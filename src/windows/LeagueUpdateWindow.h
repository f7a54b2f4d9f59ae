#pragma once

#include "exchange/LeagueUpdate.h"

#include <QDialog>
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

// Updates every league that has a source, one after the other, behind a progress dialog whose "İptal"
// stops the league under way (which then stays as it was) and the rest; then shows the window above.
// Returns whether any league got new rows.
bool updateLeaguesWithProgress(QWidget* parent, Program& program, const FetchOptions& fetch = {});

} // namespace vezal
