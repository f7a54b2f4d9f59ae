#pragma once

#include "exchange/MatchFile.h"
#include "prediction/Panel.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vezal {

class MatchTable;

// One press of "Tahmin": what the panel shows after it, the commentary block and the coupon line, or the
// press's refusal.
struct PairingPrediction {
    std::optional<QString> refusal;
    ComparisonPanel panel;
    QStringList commentary;
    QString couponLine;
};

// The main window's panel over one league: both league tables are read once, and each prediction chooses
// the two teams and presses "Tahmin" as a freshly started window would (no earlier total of goals).
class LeaguePredictor {
public:
    // An empty league is no choice: there are no tables and no teams to choose.
    LeaguePredictor(MatchTable& table, const QString& league);

    // Names are looked up as the table keeps them (20 characters) and exactly as the tables spell them.
    PairingPrediction predict(const QString& home, const QString& away, const QString& matchNumber);

    // The league's spelling of a team named in any letter case ("GALATASARAY" for "Galatasaray"), cut as
    // the table keeps names; none when the league has no such team.
    std::optional<QString> registeredName(const QString& name) const;

    struct TableEntry {
        QString team;
        LeagueTableRow row;
    };

private:
    MatchTable& table_;
    std::vector<TableEntry> homeTable_;
    std::vector<TableEntry> awayTable_;
    QStringList items_; // what the team choosers offer
};

struct FixturePrediction {
    MatchLine fixture;
    PairingPrediction prediction;
};

// Every fixture in file order, with its running number as the match number; a refused pairing keeps its
// refusal and the rest go on. The file's team names are the league's in any letter case; a refusal for a
// team the league does not have names it.
std::vector<FixturePrediction> predictFixtures(MatchTable& table, const QString& league,
                                               const std::vector<MatchLine>& fixtures);

} // namespace vezal
