#include "exchange/Import.h"

#include "common/Names.h"
#include "exchange/ExchangeMessages.h"
#include "exchange/MarketViews.h"
#include "exchange/RatingSums.h"
#include "exchange/SourceMessages.h"
#include "rating/MatchRating.h"
#include "store/Admin.h"
#include "store/BoundStatement.h"
#include "store/Database.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "store/OddsTable.h"
#include "store/StatisticsTable.h"
#include "store/StoreError.h"
#include "store/TextLines.h"
#include "store/WriteTransaction.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <map>
#include <numeric>

namespace vezal {

namespace {

QString text(const char16_t* message) {
    return QString::fromUtf16(message);
}

QString isoDay(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

constexpr const char* kLeagueMatches =
    "select Tarih,Etkm,Mtkm,Ea,Ey from Liste where Klas=:klasman and Tarih>=:trh";
constexpr const char* kOtherLeaguesMatches =
    "select Tarih,Etkm,Mtkm,Klas from Liste where Klas<>:klasman and Tarih>=:trh";

QString matchKey(const QString& day, const QString& home, const QString& away) {
    return day + QChar(0x1F) + home + QChar(0x1F) + away;
}

// A match's score, and the line of the file that gave it (0: the table).
struct KnownMatch {
    int homeGoals = 0;
    int awayGoals = 0;
    int line = 0;
};

// The league's matches by day and teams.
QHash<QString, KnownMatch> storedMatches(const Database& database, const QString& league) {
    QSqlQuery query =
        runBound(database, kLeagueMatches, {{":klasman", cutName(league)}, {":trh", isoDay(kCutOffDate)}},
                 kCannotReadDatabase);
    QHash<QString, KnownMatch> matches;
    while (query.next())
        matches.insert(
            matchKey(query.value(0).toString(), query.value(1).toString(), query.value(2).toString()),
            {query.value(3).toInt(), query.value(4).toInt(), 0});
    checkRowsEnd(query, database);
    return matches;
}

// The other leagues' matches by day and teams, with their league. Ratings and opponent strengths sum
// a team's rows over every league, so one match stored twice would count twice.
QHash<QString, QString> otherLeaguesMatches(const Database& database, const QString& league) {
    QSqlQuery query =
        runBound(database, kOtherLeaguesMatches,
                 {{":klasman", cutName(league)}, {":trh", isoDay(kCutOffDate)}}, kCannotReadDatabase);
    QHash<QString, QString> matches;
    while (query.next())
        matches.insert(
            matchKey(query.value(0).toString(), query.value(1).toString(), query.value(2).toString()),
            query.value(3).toString());
    checkRowsEnd(query, database);
    return matches;
}

double startingPointsOf(const ImportOptions& options, const QString& team) {
    for (auto it = options.teamStartingPoints.cbegin(); it != options.teamStartingPoints.cend(); ++it)
        if (equalNoCase(it.key(), team))
            return it.value();
    return options.startingPoints;
}

// The team window's refusals for a starting points value.
std::optional<QString> pointsRefusal(double points) {
    if (!(points > 0))
        return text(messages::kEnterStartingPoints);
    if (points > 7)
        return text(messages::kTooManyPoints);
    return std::nullopt;
}

// The text the team window's points box would hold, read back to the same double.
QString pointsText(double points) {
    return turkishLocale().toString(points, 'g', QLocale::FloatingPointShortest);
}

// How the file's teams stand in the league.
struct TeamPlan {
    QString stored;                 // the registered spelling, cut as the table keeps it
    bool registerFirst = false;     // the league does not have it yet
    std::optional<QString> refusal; // its registration is refused
};

class Importer {
public:
    Importer(Database& database, MatchTable& table, const QString& league, const std::vector<MatchLine>& rows,
             const ImportOptions& options)
        : database_(database), table_(table), league_(league), rows_(rows), options_(options) {}

    ImportOutcome run();

private:
    // The file's teams, mapped onto the league's registered spelling in any letter case.
    void planTeams();
    // Returns false when cancelled.
    bool enterRows();

    Database& database_;
    MatchTable& table_;
    const QString& league_;
    const std::vector<MatchLine>& rows_;
    const ImportOptions& options_;
    ImportOutcome outcome_;
    std::map<QString, TeamPlan> teams_; // by the file's spelling
    QStringList teamOrder_;             // the same, in the order the file names them
};

void Importer::planTeams() {
    const QStringList seeds = table_.seedTeams(league_);
    const QStringList listed = table_.teamList(league_);
    for (const MatchLine& row : rows_) {
        for (const QString& team : {row.home, row.away}) {
            if (teams_.count(team))
                continue;
            TeamPlan plan;
            const QString cut = cutName(team);
            const auto seeded = std::find_if(seeds.begin(), seeds.end(),
                                             [&](const QString& s) { return equalNoCase(s, cut); });
            if (seeded != seeds.end()) {
                plan.stored = *seeded;
            } else {
                plan.stored = cut;
                plan.registerFirst = true;
                // What registering would refuse when the name is listed without a seed row of its own.
                if (std::any_of(listed.begin(), listed.end(),
                                [&](const QString& s) { return equalNoCase(s, cut); }))
                    plan.refusal = text(messages::kTeamExists);
            }
            teams_.emplace(team, plan);
            teamOrder_ << team;
        }
    }
    if (options_.dryRun)
        return;
    for (const QString& team : teamOrder_) {
        {
            TeamPlan& plan = teams_.at(team);
            if (!plan.registerFirst || plan.refusal)
                continue;
            plan.refusal = registerTeam(table_, league_, team, pointsText(startingPointsOf(options_, team)));
            if (!plan.refusal)
                outcome_.registered << plan.stored;
            plan.registerFirst = false;
        }
    }
}

bool Importer::enterRows() {
    std::vector<std::size_t> order(rows_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return rows_[a].day < rows_[b].day; });

    QHash<QString, KnownMatch> matches = storedMatches(database_, league_);
    const QHash<QString, QString> elsewhere = otherLeaguesMatches(database_, league_);
    std::optional<Ratings> ratings;
    std::optional<OddsTable> odds;
    std::optional<QuoteTable> quotes;
    if (!options_.dryRun)
        ratings.emplace(database_);
    if (!options_.dryRun)
        odds.emplace(database_);
    std::optional<StatisticsTable> statistics;
    if (!options_.dryRun)
        statistics.emplace(database_);
    if (!options_.dryRun)
        quotes.emplace(database_);
    std::optional<MarketTable> market;
    if (!options_.dryRun)
        market.emplace(database_);

    qsizetype done = 0;
    const auto total = static_cast<qsizetype>(rows_.size());
    // One line of the file, or a later line of the same match with its own line number and score.
    const auto enter = [&](const MatchLine& row, int line, int homeGoals, int awayGoals) {
        const TeamPlan& home = teams_.at(row.home);
        const TeamPlan& away = teams_.at(row.away);
        if (home.refusal || away.refusal) {
            outcome_.rejected.add(
                line, text(messages::kTeamNotRegistered).arg(home.refusal ? *home.refusal : *away.refusal));
        } else if (const QString key = matchKey(isoDay(row.day), home.stored, away.stored);
                   elsewhere.contains(key)) {
            outcome_.rejected.add(line, text(messages::kInAnotherLeague).arg(elsewhere.value(key)));
        } else if (const auto known = matches.find(key); known != matches.end()) {
            if (known->line > 0)
                outcome_.conflicts.add(line, text(messages::kRepeatedInFile)
                                                 .arg(known->line)
                                                 .arg(known->homeGoals)
                                                 .arg(known->awayGoals)
                                                 .arg(homeGoals)
                                                 .arg(awayGoals));
            else if (known->homeGoals != homeGoals || known->awayGoals != awayGoals)
                outcome_.conflicts.add(line, text(messages::kStoredScoreDiffers)
                                                 .arg(known->homeGoals)
                                                 .arg(known->awayGoals)
                                                 .arg(homeGoals)
                                                 .arg(awayGoals));
            else {
                ++outcome_.present;
                // Matches kept before half-time scores were read gain theirs from the same file.
                if (!options_.dryRun && row.statistics && row.statistics->halfTimeHomeGoals)
                    statistics->keepHalfTime(league_, row.day, home.stored, away.stored,
                                             *row.statistics->halfTimeHomeGoals,
                                             *row.statistics->halfTimeAwayGoals);
            }
            // A later line of the match is a second line of the file, whatever the table holds.
            if (known->line == 0)
                *known = {homeGoals, awayGoals, line};
        } else {
            matches.insert(key, {homeGoals, awayGoals, line});
            ++outcome_.added;
            if (!options_.dryRun) {
                const int day = ratingDay(row.day);
                RunningSum& homeSum = ratings->home(home.stored);
                RunningSum& awaySum = ratings->away(away.stored);
                const RatingTransfer transfer =
                    rateMatch(homeGoals, awayGoals, homeSum.before(day), awaySum.before(day));
                const qint64 sr = table_.appendMatchRow(league_, row.day, home.stored, away.stored, homeGoals,
                                                        awayGoals, transfer);
                homeSum.append({day, transfer.etp, transfer.erakip, sr});
                awaySum.append({day, transfer.mtp, transfer.mrakip, sr});
                if (row.odds)
                    odds->put(league_, row.day, home.stored, away.stored, *row.odds);
                if (row.statistics)
                    statistics->put(league_, row.day, home.stored, away.stored, *row.statistics);
                const std::vector<Quote> plain = plainQuotes(row.quotes);
                quotes->put(league_, row.day, home.stored, away.stored, plain);
                // Computed here once, so that no fit ever prices a past match again.
                if (row.odds || !plain.empty())
                    market->put(league_, row.day, home.stored, away.stored, marketView(plain, row.odds));
            }
        }
    };
    for (const std::size_t index : order) {
        const MatchLine& row = rows_[index];
        enter(row, row.line, row.homeGoals, row.awayGoals);
        for (const MatchLine::Repeat& repeat : row.repeats)
            enter(row, repeat.line, repeat.homeGoals, repeat.awayGoals);
        ++done;
        if (options_.progress && !options_.progress(done, total))
            return false;
    }
    return true;
}

ImportOutcome Importer::run() {
    QList<double> points = options_.teamStartingPoints.values();
    points.prepend(options_.startingPoints);
    for (const double value : points) {
        if (const auto refused = pointsRefusal(value)) {
            outcome_.refusal = refused;
            return outcome_;
        }
    }

    // The league as the league list window would add it. A dry run writes nothing and reads the list as
    // it is; an import takes the list's lock before the database's and reads the list under it, so that
    // no other writer changes the list in between.
    const QString listPath = leagueListPath(database_.programFolder());
    std::optional<LeagueListLock> lock;
    QStringList leagues;
    if (options_.dryRun) {
        if (QFileInfo::exists(listPath))
            leagues = loadLeagueList(listPath);
    } else {
        lock.emplace(listPath);
        leagues = lock->load(MissingList::IsEmpty);
    }
    if (!leagues.contains(league_)) {
        if (!options_.addsLeague) {
            outcome_.refusal = text(messages::kLeagueGone).arg(league_);
            return outcome_;
        }
        if (const auto warning = checkNewLeague(leagues, league_)) {
            outcome_.refusal = *warning;
            return outcome_;
        }
        outcome_.leagueAdded = true;
        leagues << league_;
        sortNoCase(leagues);
    }

    if (options_.dryRun) {
        planTeams();
        for (const QString& team : teamOrder_)
            if (teams_.at(team).registerFirst && !teams_.at(team).refusal)
                outcome_.registered << teams_.at(team).stored;
        if (!enterRows())
            outcome_.cancelled = true;
        else if (outcome_.added == 0 && outcome_.present == 0)
            outcome_.leagueAdded = false;
        return outcome_;
    }

    // The new list is on the disk before the commit (a full disk fails there and changes nothing), and
    // takes the old one's place after it: an import cut off in between leaves rows of an unlisted league,
    // which the next opening of the data lists.
    std::unique_ptr<textlines::StagedFile> newList;
    try {
        WriteTransaction transaction(database_);
        planTeams();
        if (!enterRows()) {
            outcome_ = ImportOutcome{};
            outcome_.cancelled = true;
            return outcome_;
        }
        // Not one line could be used: nothing is written, not even the league or its teams.
        if (outcome_.added == 0 && outcome_.present == 0) {
            outcome_.registered.clear();
            outcome_.leagueAdded = false;
            return outcome_;
        }
        if (outcome_.leagueAdded)
            newList = lock->stage(leagues);
        transaction.commit();
    } catch (const StoreError& failure) {
        // The transaction has been rolled back by now, and the list was not touched.
        throw StoreError(failure.message() + QLatin1Char('\n') + text(messages::kImportUndone));
    }
    if (newList) {
        try {
            newList->replace();
        } catch (const StoreError& failure) {
            throw StoreError(failure.message() + QLatin1Char('\n') +
                             text(messages::kLeagueListNotSaved).arg(league_));
        }
    }
    return outcome_;
}

} // namespace

ImportOutcome importResults(Database& database, MatchTable& table, const QString& league,
                            const std::vector<MatchLine>& rows, const ImportOptions& options) {
    return Importer(database, table, league, rows, options).run();
}

} // namespace vezal
