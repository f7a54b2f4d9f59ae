#include "betting/BetLedger.h"

#include "betting/BettingMessages.h"
#include "common/Names.h"
#include "common/Odds.h"
#include "store/BoundStatement.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "store/PlayedMatches.h"
#include "store/QuoteTable.h"
#include "store/StatisticsTable.h"
#include "store/WriteTransaction.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <map>

namespace vezal {

namespace {

constexpr const char* kCreate[] = {
    "CREATE TABLE IF NOT EXISTS Bahis (\n"
    "  No INTEGER PRIMARY KEY AUTOINCREMENT,\n"
    "  Tarih DATE NOT NULL,\n"
    "  Miktar DOUBLE NOT NULL\n"
    ")",
    "CREATE TABLE IF NOT EXISTS BahisSecim (\n"
    "  Bahis INTEGER NOT NULL,\n"
    "  Sira INTEGER NOT NULL,\n"
    "  Klas VARCHAR(20) NOT NULL,\n"
    "  Tarih DATE NOT NULL,\n"
    "  Etkm VARCHAR(20) NOT NULL,\n"
    "  Mtkm VARCHAR(20) NOT NULL,\n"
    "  Sonuc VARCHAR(5) NOT NULL,\n"
    "  Oran DOUBLE NOT NULL,\n"
    "  Iptal INTEGER NOT NULL DEFAULT 0,\n"
    "  Silindi INTEGER NOT NULL DEFAULT 0,\n"
    "  PRIMARY KEY (Bahis, Sira)\n"
    ")",
    "CREATE INDEX IF NOT EXISTS BahisSecimMac ON BahisSecim (Klas, Tarih, Etkm, Mtkm)",
    "CREATE TABLE IF NOT EXISTS BahisKasa (\n"
    "  No INTEGER PRIMARY KEY CHECK (No = 1),\n"
    "  Baslangic DOUBLE NOT NULL\n"
    ")",
    // A match row going: its selections' match is gone.
    "CREATE TRIGGER IF NOT EXISTS ListeBahisMacSil AFTER DELETE ON Liste\n"
    "WHEN old.Tur='O'\n"
    "BEGIN\n"
    "  UPDATE BahisSecim SET Silindi=1 WHERE Klas=old.Klas AND Tarih=old.Tarih\n"
    "    AND Etkm=old.Etkm AND Mtkm=old.Mtkm;\n"
    "END",
    // A team's seed row going (the team or its league deleted): so are its matches still to come.
    "CREATE TRIGGER IF NOT EXISTS ListeBahisTakimSil AFTER DELETE ON Liste\n"
    "WHEN old.Tur='A'\n"
    "BEGIN\n"
    "  UPDATE BahisSecim SET Silindi=1 WHERE Klas=old.Klas AND (Etkm=old.Etkm OR Mtkm=old.Etkm);\n"
    "END",
    "CREATE TRIGGER IF NOT EXISTS ListeBahisMacEkle AFTER INSERT ON Liste\n"
    "WHEN new.Tur='O'\n"
    "BEGIN\n"
    "  UPDATE BahisSecim SET Silindi=0 WHERE Klas=new.Klas AND Tarih=new.Tarih\n"
    "    AND Etkm=new.Etkm AND Mtkm=new.Mtkm;\n"
    "END",
};
constexpr const char* kExists = "select count(*) from sqlite_master where type='table' and name='BahisSecim'";
constexpr const char* kInsertBet = "insert into Bahis (Tarih, Miktar) values (:Tarih, :Miktar)";
constexpr const char* kInsertSelection =
    "insert into BahisSecim (Bahis,Sira,Klas,Tarih,Etkm,Mtkm,Sonuc,Oran)\n"
    "values (:Bahis,:Sira,:Klas,:Tarih,:Etkm,:Mtkm,:Sonuc,:Oran)";
constexpr const char* kBetExists = "select count(*) from Bahis where No=:No";
constexpr const char* kSelectionExists = "select count(*) from BahisSecim where Bahis=:No and Sira=:Sira";
constexpr const char* kDeleteSelections = "delete from BahisSecim where Bahis=:No";
constexpr const char* kDeleteBet = "delete from Bahis where No=:No";
constexpr const char* kVoidBet = "update BahisSecim set Iptal=1 where Bahis=:No";
constexpr const char* kVoidSelection = "update BahisSecim set Iptal=1 where Bahis=:No and Sira=:Sira";
// Every selection with its bet and the score of its match, when the table has it.
constexpr const char* kAllBets =
    "select b.No, b.Tarih, b.Miktar, s.Sira, s.Klas, s.Tarih, s.Etkm, s.Mtkm, s.Sonuc, s.Oran, s.Iptal,\n"
    "  s.Silindi,\n"
    "  (select l.Ea || ':' || l.Ey from Liste l where l.Tur='O' and l.Klas=s.Klas and l.Tarih=s.Tarih\n"
    "     and l.Etkm=s.Etkm and l.Mtkm=s.Mtkm order by l.Sr limit 1)\n"
    "from Bahis b join BahisSecim s on s.Bahis=b.No\n"
    "order by b.No, s.Sira";
constexpr const char* kBankroll = "select Baslangic from BahisKasa where No=1";
constexpr const char* kSetBankroll =
    "insert or replace into BahisKasa (No, Baslangic) values (1, :Baslangic)";

QString text(const char16_t* message) {
    return QString::fromUtf16(message);
}

QString isoDay(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

qint64 count(const Database& database, const char* statement,
             std::initializer_list<std::pair<const char*, QVariant>> bindings) {
    QSqlQuery query = runBound(database, statement, bindings, kCannotReadDatabase);
    return query.next() ? query.value(0).toLongLong() : 0;
}

} // namespace

std::optional<double> closingProbability(QuoteTable& quotes, const Selection& selection) {
    std::optional<QuoteOutcome> outcome;
    if (const auto* result = std::get_if<model::MatchResult>(&selection.outcome))
        outcome = result->sign == model::Result::HomeWin ? QuoteOutcome::Home
                  : result->sign == model::Result::Draw  ? QuoteOutcome::Draw
                                                         : QuoteOutcome::Away;
    else if (const auto* line = std::get_if<model::GoalLine>(&selection.outcome);
             line && line->halfGoals == 5)
        outcome = line->over ? QuoteOutcome::Over : QuoteOutcome::Under;
    int quarterGoals = 0;
    if (const auto* asian = std::get_if<model::AsianHandicap>(&selection.outcome)) {
        outcome = asian->side == model::Result::HomeWin ? QuoteOutcome::AsianHome : QuoteOutcome::AsianAway;
        quarterGoals = asian->quarterGoals;
    }
    if (!outcome)
        return std::nullopt;
    return quotes.closingFairProbability(selection.league, selection.day, selection.home, selection.away,
                                         *outcome, quarterGoals);
}

std::optional<QString> checkBet(const QDate& placed, double stake, const std::vector<Selection>& selections) {
    if (selections.empty())
        return text(messages::kBetWithoutSelection);
    if (selections.size() > std::size_t(kMostSelections))
        return text(messages::kTooManySelections).arg(selections.size());
    if (!isAmount(stake))
        return text(messages::kStakeOutOfRange).arg(QString::number(stake));
    const auto sameName = [](const QString& a, const QString& b) {
        return equalNoCase(cutName(a), cutName(b));
    };
    double odds = 1;
    for (std::size_t i = 0; i < selections.size(); ++i) {
        const Selection& s = selections[i];
        const QString names = QStringList{s.league, s.home, s.away}.join(QStringLiteral(" | "));
        if (std::any_of(names.cbegin(), names.cend(), isControlCharacter))
            return text(messages::kSelectionHasControlCharacter).arg(visibleText(names));
        if (!isOddsValue(s.odds))
            return text(kOddsRefused).arg(QString::number(s.odds));
        if (!s.day.isValid() || s.day < kCutOffDate)
            return text(messages::kEntryDateTooEarly);
        if (placed > s.day)
            return text(messages::kPlacedAfterMatch).arg(s.home, s.away, showDate(s.day), showDate(placed));
        if (sameName(s.home, s.away))
            return text(messages::kSameTeamsInSelection).arg(s.home, s.away);
        for (std::size_t j = 0; j < i; ++j) {
            const Selection& o = selections[j];
            if (sameName(o.league, s.league) && o.day == s.day && sameName(o.home, s.home) &&
                sameName(o.away, s.away))
                return text(messages::kSameMatchTwice).arg(s.home, s.away);
        }
        odds *= s.odds;
    }
    if (!(odds <= kHighestBetOdds))
        return text(messages::kBetOddsTooHigh).arg(QString::number(odds, 'g', 6));
    return std::nullopt;
}

BetLedger::BetLedger(Database& database) : database_(database) {}

bool BetLedger::exists() {
    return count(database_, kExists, {}) > 0;
}

void BetLedger::ensureExists() {
    for (const char* statement : kCreate)
        runBound(database_, statement, {}, kCannotWriteDatabase);
}

PlaceOutcome BetLedger::place(const QDate& placed, double stake, const std::vector<Selection>& typed) {
    if (const std::optional<QString> refusal = checkBet(placed, stake, typed))
        return {std::nullopt, *refusal};
    WriteTransaction transaction(database_);
    // Under the write lock: a league or team deleted meanwhile is not bet on.
    const QString listPath = leagueListPath(database_.programFolder());
    const QStringList leagues = QFileInfo::exists(listPath) ? loadLeagueList(listPath) : QStringList();
    std::map<QString, QStringList> teamsOf;
    std::vector<Selection> selections;
    for (const Selection& s : typed) {
        const std::optional<QString> league = spellingIn(leagues, s.league);
        if (!league)
            return {std::nullopt, text(messages::kNoSuchLeague).arg(s.league)};
        const auto [teams, fresh] = teamsOf.try_emplace(*league);
        if (fresh)
            teams->second = registeredTeams(database_, *league);
        const std::optional<QString> home = spellingIn(teams->second, s.home);
        const std::optional<QString> away = spellingIn(teams->second, s.away);
        if (!home || !away)
            return {std::nullopt, text(messages::kBetTeamUnknown).arg(*league, home ? s.away : s.home)};
        selections.push_back({*league, s.day, *home, *away, s.outcome, s.odds});
    }
    ensureExists();
    QSqlQuery bet = runBound(database_, kInsertBet, {{":Tarih", isoDay(placed)}, {":Miktar", stake}},
                             kCannotWriteDatabase);
    const qint64 id = bet.lastInsertId().toLongLong();
    int number = 0;
    for (const Selection& s : selections)
        runBound(database_, kInsertSelection,
                 {{":Bahis", id},
                  {":Sira", ++number},
                  {":Klas", s.league},
                  {":Tarih", isoDay(s.day)},
                  {":Etkm", s.home},
                  {":Mtkm", s.away},
                  {":Sonuc", model::outcomeCode(s.outcome)},
                  {":Oran", s.odds}},
                 kCannotWriteDatabase);
    transaction.commit();
    return {id, QString()};
}

bool BetLedger::remove(qint64 id) {
    WriteTransaction transaction(database_);
    if (!exists() || count(database_, kBetExists, {{":No", id}}) == 0)
        return false;
    runBound(database_, kDeleteSelections, {{":No", id}}, kCannotWriteDatabase);
    runBound(database_, kDeleteBet, {{":No", id}}, kCannotWriteDatabase);
    transaction.commit();
    return true;
}

std::optional<QString> BetLedger::voidBet(qint64 id, std::optional<int> selection) {
    WriteTransaction transaction(database_);
    if (!exists() || count(database_, kBetExists, {{":No", id}}) == 0)
        return text(messages::kNoSuchBet).arg(id);
    if (selection) {
        if (count(database_, kSelectionExists, {{":No", id}, {":Sira", *selection}}) == 0)
            return text(messages::kNoSuchSelection).arg(id).arg(*selection);
        runBound(database_, kVoidSelection, {{":No", id}, {":Sira", *selection}}, kCannotWriteDatabase);
    } else {
        runBound(database_, kVoidBet, {{":No", id}}, kCannotWriteDatabase);
    }
    transaction.commit();
    return std::nullopt;
}

std::vector<BetRecord> BetLedger::bets() {
    std::vector<BetRecord> bets;
    if (!exists())
        return bets;
    {
        QSqlQuery query = runBound(database_, kAllBets, {}, kCannotReadDatabase);
        while (query.next()) {
            const qint64 id = query.value(0).toLongLong();
            if (bets.empty() || bets.back().id != id)
                bets.push_back({id,
                                QDate::fromString(query.value(1).toString(), Qt::ISODate),
                                query.value(2).toDouble(),
                                {}});
            SelectionState state;
            state.number = query.value(3).toInt();
            const QString code = query.value(8).toString();
            const std::optional<model::MarketOutcome> outcome = model::outcomeFromCode(code);
            state.selection = {query.value(4).toString(),
                               QDate::fromString(query.value(5).toString(), Qt::ISODate),
                               query.value(6).toString(),
                               query.value(7).toString(),
                               outcome.value_or(model::MatchResult{}),
                               query.value(9).toDouble()};
            if (!outcome)
                state.unknownCode = code;
            state.voided = query.value(10).toInt() != 0;
            const QVariant score = query.value(12);
            if (!score.isNull()) {
                const QStringList goals = score.toString().split(QLatin1Char(':'));
                if (goals.size() == 2)
                    state.score = std::pair{goals[0].toInt(), goals[1].toInt()};
            }
            state.matchGone = !state.score && query.value(11).toInt() != 0;
            bets.back().selections.push_back(state);
        }
        if (query.lastError().isValid())
            throw engineError(
                QString::fromUtf8(kCannotReadDatabase).arg(QDir::toNativeSeparators(database_.filePath())),
                query.lastError());
    }
    QuoteTable quotes(database_);
    StatisticsTable statistics(database_);
    for (BetRecord& bet : bets)
        for (SelectionState& s : bet.selections) {
            if (!s.unknownCode.isEmpty())
                continue;
            if (const std::optional<double> p = closingProbability(quotes, s.selection))
                s.clv = closingLineValue(s.selection.odds, *p);
            // Only half-time/full-time needs the half-time score: the others are read without the table.
            if (s.score && std::holds_alternative<model::HalfTimeFullTime>(s.selection.outcome))
                if (const std::optional<MatchStatistics> kept = statistics.find(
                        s.selection.league, s.selection.day, s.selection.home, s.selection.away))
                    if (kept->halfTimeHomeGoals && kept->halfTimeAwayGoals)
                        s.halfTime = model::Score{*kept->halfTimeHomeGoals, *kept->halfTimeAwayGoals};
        }
    return bets;
}

double BetLedger::startingBankroll() {
    if (count(database_, "select count(*) from sqlite_master where type='table' and name='BahisKasa'", {}) ==
        0)
        return 0;
    QSqlQuery query = runBound(database_, kBankroll, {}, kCannotReadDatabase);
    return query.next() ? query.value(0).toDouble() : 0;
}

void BetLedger::setStartingBankroll(double amount) {
    WriteTransaction transaction(database_);
    ensureExists();
    runBound(database_, kSetBankroll, {{":Baslangic", amount}}, kCannotWriteDatabase);
    transaction.commit();
}

} // namespace vezal
