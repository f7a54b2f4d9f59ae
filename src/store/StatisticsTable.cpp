#include "store/StatisticsTable.h"

#include "common/Names.h"
#include "store/BoundStatement.h"
#include "store/Database.h"
#include "store/EngineError.h"

#include <QDir>
#include <QVariant>

namespace vezal {

namespace {

constexpr const char* kCreate = "CREATE TABLE IF NOT EXISTS Istatistik (\n"
                                "  Klas VARCHAR(20) NOT NULL,\n"
                                "  Tarih DATE NOT NULL,\n"
                                "  Etkm VARCHAR(20) NOT NULL,\n"
                                "  Mtkm VARCHAR(20) NOT NULL,\n"
                                "  ESut INTEGER, MSut INTEGER,\n"
                                "  EIsabet INTEGER, MIsabet INTEGER,\n"
                                "  EKorner INTEGER, MKorner INTEGER,\n"
                                "  ESari INTEGER, MSari INTEGER,\n"
                                "  EKirmizi INTEGER, MKirmizi INTEGER,\n"
                                "  OranUst DOUBLE, OranAlt DOUBLE,\n"
                                "  EIlkYari INTEGER, MIlkYari INTEGER,\n"
                                "  PRIMARY KEY (Klas, Tarih, Etkm, Mtkm)\n"
                                ")";
constexpr const char* kCreateDeleteTrigger =
    "CREATE TRIGGER IF NOT EXISTS ListeIstatistikSil AFTER DELETE ON Liste\n"
    "WHEN old.Tur='O'\n"
    "BEGIN\n"
    "  DELETE FROM Istatistik WHERE Klas=old.Klas AND Tarih=old.Tarih\n"
    "    AND Etkm=old.Etkm AND Mtkm=old.Mtkm;\n"
    "END";
constexpr const char* kExists = "select count(*) from sqlite_master where type='table' and name='Istatistik'";
constexpr const char* kHasHalfTime =
    "select count(*) from pragma_table_info('Istatistik') where name in ('EIlkYari','MIlkYari')";
constexpr const char* kAddHalfTime[] = {"alter table Istatistik add column EIlkYari INTEGER",
                                        "alter table Istatistik add column MIlkYari INTEGER"};
constexpr const char* kColumns = "ESut,MSut,EIsabet,MIsabet,EKorner,MKorner,ESari,MSari,EKirmizi,MKirmizi,"
                                 "OranUst,OranAlt";
constexpr const char* kPut =
    "insert or replace into Istatistik (Klas,Tarih,Etkm,Mtkm,ESut,MSut,EIsabet,MIsabet,EKorner,MKorner,"
    "ESari,MSari,EKirmizi,MKirmizi,OranUst,OranAlt,EIlkYari,MIlkYari)\n"
    "values (:Klas,:Tarih,:Etkm,:Mtkm,:ESut,:MSut,:EIsabet,:MIsabet,:EKorner,:MKorner,:ESari,:MSari,"
    ":EKirmizi,:MKirmizi,:OranUst,:OranAlt,:EIlkYari,:MIlkYari)";
constexpr const char* kHalfTimeGoals =
    "select coalesce(sum(i.EIlkYari+i.MIlkYari),0),coalesce(sum(l.Ea+l.Ey),0)\n"
    "from Istatistik i join Liste l on l.Klas=i.Klas and l.Tarih=i.Tarih and l.Etkm=i.Etkm and "
    "l.Mtkm=i.Mtkm\n"
    "where i.Klas=:Klas and l.Tur='O' and i.EIlkYari is not null and i.MIlkYari is not null";
constexpr const char* kKeepHalfTime =
    "insert into Istatistik (Klas,Tarih,Etkm,Mtkm,EIlkYari,MIlkYari)\n"
    "values (:Klas,:Tarih,:Etkm,:Mtkm,:EIlkYari,:MIlkYari)\n"
    "on conflict (Klas,Tarih,Etkm,Mtkm) do update set EIlkYari=excluded.EIlkYari,MIlkYari=excluded.MIlkYari\n"
    "where EIlkYari is null or MIlkYari is null";

[[noreturn]] void fail(const Database& database, const char* what, const QSqlQuery& query) {
    throw engineError(QString::fromUtf8(what).arg(QDir::toNativeSeparators(database.filePath())),
                      query.lastError());
}

QSqlQuery run(const Database& database, const QString& statement,
              std::initializer_list<std::pair<const char*, QVariant>> bindings, const char* what) {
    QSqlQuery query(database.connection());
    query.setForwardOnly(true);
    bool ok = query.prepare(statement);
    if (ok) {
        for (const auto& [placeholder, value] : bindings)
            query.bindValue(QString::fromLatin1(placeholder), value);
        ok = query.exec();
    }
    if (!ok)
        fail(database, what, query);
    return query;
}

QString isoDay(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

template <class T> QVariant orNull(const std::optional<T>& value) {
    return value ? QVariant::fromValue(*value) : QVariant(QMetaType::fromType<T>());
}

std::optional<int> intAt(const QSqlQuery& query, int column) {
    const QVariant value = query.value(column);
    return value.isNull() ? std::nullopt : std::optional<int>(value.toInt());
}

std::optional<double> realAt(const QSqlQuery& query, int column) {
    const QVariant value = query.value(column);
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

// The fourteen figures from `first` on, in the order of kColumns and the half-time score.
MatchStatistics statisticsAt(const QSqlQuery& query, int first) {
    MatchStatistics s;
    std::optional<int>* counts[] = {
        &s.homeShots,   &s.awayShots,       &s.homeShotsOnTarget, &s.awayShotsOnTarget, &s.homeCorners,
        &s.awayCorners, &s.homeYellowCards, &s.awayYellowCards,   &s.homeRedCards,      &s.awayRedCards};
    int column = first;
    for (std::optional<int>* count : counts)
        *count = intAt(query, column++);
    s.over25Odds = realAt(query, column++);
    s.under25Odds = realAt(query, column++);
    s.halfTimeHomeGoals = intAt(query, column++);
    s.halfTimeAwayGoals = intAt(query, column);
    if (!s.halfTimeHomeGoals || !s.halfTimeAwayGoals)
        s.halfTimeHomeGoals = s.halfTimeAwayGoals = std::nullopt;
    return s;
}

} // namespace

bool MatchStatistics::isEmpty() const {
    return !homeShots && !awayShots && !homeShotsOnTarget && !awayShotsOnTarget && !homeCorners &&
           !awayCorners && !homeYellowCards && !awayYellowCards && !homeRedCards && !awayRedCards &&
           !over25Odds && !under25Odds && !halfTimeHomeGoals && !halfTimeAwayGoals;
}

StatisticsTable::StatisticsTable(Database& database)
    : database_(database), table_(database, kExists, {kCreate, kCreateDeleteTrigger}) {}

bool StatisticsTable::exists() {
    return table_.exists();
}

void StatisticsTable::ensureExists() {
    table_.ensureExists();
    if (hasHalfTime())
        return;
    for (const char* statement : kAddHalfTime)
        runBound(database_, statement, {}, kCannotWriteDatabase);
    hasHalfTime_ = true;
}

bool StatisticsTable::hasHalfTime() {
    if (!hasHalfTime_) {
        QSqlQuery query = runBound(database_, kHasHalfTime, {}, kCannotReadDatabase);
        hasHalfTime_ = query.next() && query.value(0).toInt() == 2;
    }
    return *hasHalfTime_;
}

// An old table's rows read a null half-time score.
QString StatisticsTable::columns() {
    return QString::fromLatin1(kColumns) +
           (hasHalfTime() ? QStringLiteral(",EIlkYari,MIlkYari") : QStringLiteral(",NULL,NULL"));
}

void StatisticsTable::put(const QString& league, const QDate& day, const QString& home, const QString& away,
                          const MatchStatistics& s) {
    ensureExists();
    if (!put_) {
        put_.emplace(database_.connection());
        if (!put_->prepare(QString::fromLatin1(kPut)))
            fail(database_, kCannotWriteDatabase, *put_);
    }
    QSqlQuery& query = *put_;
    query.bindValue(QStringLiteral(":Klas"), cutName(league));
    query.bindValue(QStringLiteral(":Tarih"), isoDay(day));
    query.bindValue(QStringLiteral(":Etkm"), cutName(home));
    query.bindValue(QStringLiteral(":Mtkm"), cutName(away));
    query.bindValue(QStringLiteral(":ESut"), orNull(s.homeShots));
    query.bindValue(QStringLiteral(":MSut"), orNull(s.awayShots));
    query.bindValue(QStringLiteral(":EIsabet"), orNull(s.homeShotsOnTarget));
    query.bindValue(QStringLiteral(":MIsabet"), orNull(s.awayShotsOnTarget));
    query.bindValue(QStringLiteral(":EKorner"), orNull(s.homeCorners));
    query.bindValue(QStringLiteral(":MKorner"), orNull(s.awayCorners));
    query.bindValue(QStringLiteral(":ESari"), orNull(s.homeYellowCards));
    query.bindValue(QStringLiteral(":MSari"), orNull(s.awayYellowCards));
    query.bindValue(QStringLiteral(":EKirmizi"), orNull(s.homeRedCards));
    query.bindValue(QStringLiteral(":MKirmizi"), orNull(s.awayRedCards));
    query.bindValue(QStringLiteral(":OranUst"), orNull(s.over25Odds));
    query.bindValue(QStringLiteral(":OranAlt"), orNull(s.under25Odds));
    const bool halfTime = s.halfTimeHomeGoals && s.halfTimeAwayGoals;
    query.bindValue(QStringLiteral(":EIlkYari"), orNull(halfTime ? s.halfTimeHomeGoals : std::nullopt));
    query.bindValue(QStringLiteral(":MIlkYari"), orNull(halfTime ? s.halfTimeAwayGoals : std::nullopt));
    if (!query.exec())
        fail(database_, kCannotWriteDatabase, query);
    query.finish();
}

std::optional<MatchStatistics> StatisticsTable::find(const QString& league, const QDate& day,
                                                     const QString& home, const QString& away) {
    if (!exists())
        return std::nullopt;
    QSqlQuery query = run(database_,
                          QStringLiteral("select %1 from Istatistik\n"
                                         "where Klas=:Klas and Tarih=:Tarih and Etkm=:Etkm and Mtkm=:Mtkm")
                              .arg(columns()),
                          {{":Klas", cutName(league)},
                           {":Tarih", isoDay(day)},
                           {":Etkm", cutName(home)},
                           {":Mtkm", cutName(away)}},
                          kCannotReadDatabase);
    if (!query.next()) {
        if (query.lastError().isValid())
            fail(database_, kCannotReadDatabase, query);
        return std::nullopt;
    }
    return statisticsAt(query, 0);
}

void StatisticsTable::keepHalfTime(const QString& league, const QDate& day, const QString& home,
                                   const QString& away, int homeGoals, int awayGoals) {
    ensureExists();
    runBound(database_, kKeepHalfTime,
             {{":Klas", cutName(league)},
              {":Tarih", isoDay(day)},
              {":Etkm", cutName(home)},
              {":Mtkm", cutName(away)},
              {":EIlkYari", homeGoals},
              {":MIlkYari", awayGoals}},
             kCannotWriteDatabase);
}

std::pair<long long, long long> StatisticsTable::halfTimeGoals(const QString& league) {
    if (!exists() || !hasHalfTime())
        return {0, 0};
    QSqlQuery query = runBound(database_, kHalfTimeGoals, {{":Klas", cutName(league)}}, kCannotReadDatabase);
    if (!query.next()) {
        checkRowsEnd(query, database_);
        return {0, 0};
    }
    return {query.value(0).toLongLong(), query.value(1).toLongLong()};
}

std::vector<KeptStatistics> StatisticsTable::leagueStatistics(const QString& league) {
    std::vector<KeptStatistics> kept;
    if (!exists())
        return kept;
    QSqlQuery query =
        run(database_,
            QStringLiteral("select Tarih,Etkm,Mtkm,%1 from Istatistik where Klas=:Klas").arg(columns()),
            {{":Klas", cutName(league)}}, kCannotReadDatabase);
    while (query.next())
        kept.push_back({query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                        statisticsAt(query, 3)});
    if (query.lastError().isValid())
        fail(database_, kCannotReadDatabase, query);
    return kept;
}

} // namespace vezal
