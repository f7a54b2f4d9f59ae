#pragma once

#include <QDate>
#include <QSqlQuery>
#include <QString>
#include <map>
#include <optional>
#include <vector>

// The teams' home and away ratings as an import moves forward in days, summed as the engine sums them.
namespace vezal {

class Database;

// A day as a number that sorts as the day: yyyyMMdd.
int ratingDay(const QDate& day);

// One row's part in a team's rating on one side: its Etp (home) or Mtp (away).
struct SideEntry {
    int day = 0;
    double points = 0;
    std::optional<double> opponent; // Erakip or Mrakip; empty in a seed row
    qint64 sr = 0;
};

// A team's rating on one side, kept while the import goes forward in days: the table's rows are read
// once, the rows appended are added as they come, and every day is folded into the sum once.
class RunningSum {
public:
    explicit RunningSum(std::vector<SideEntry> stored);

    // The sum of the rows before the day. Days asked for never go back.
    double before(int day);
    // Rows appended are of the day last asked for or later.
    void append(const SideEntry& entry) { appended_.push_back(entry); }

private:
    void foldDay(int day);

    std::vector<SideEntry> stored_;
    std::size_t nextStored_ = 0;
    std::vector<SideEntry> appended_; // few at a time: one day's rows
    double sum_ = 0;
};

// Every team's running sums on both sides, each read from the table when first asked for. Throws
// StoreError when the table cannot be read.
class Ratings {
public:
    explicit Ratings(const Database& database);

    RunningSum& home(const QString& team) { return side(homeSums_, home_, team); }
    RunningSum& away(const QString& team) { return side(awaySums_, away_, team); }

private:
    RunningSum& side(std::map<QString, RunningSum>& sums, QSqlQuery& query, const QString& team);

    const Database& database_;
    QSqlQuery home_;
    QSqlQuery away_;
    std::map<QString, RunningSum> homeSums_;
    std::map<QString, RunningSum> awaySums_;
};

} // namespace vezal
