#include "store/MarketTable.h"

#include "common/Names.h"
#include "store/BoundStatement.h"
#include "store/Database.h"

#include <QVariant>

namespace vezal {

namespace {

constexpr const char* kCreate = "CREATE TABLE IF NOT EXISTS Piyasa (\n"
                                "  Klas VARCHAR(20) NOT NULL,\n"
                                "  Tarih DATE NOT NULL,\n"
                                "  Etkm VARCHAR(20) NOT NULL,\n"
                                "  Mtkm VARCHAR(20) NOT NULL,\n"
                                "  Kapanis INTEGER,\n"
                                "  Kaynak VARCHAR(10),\n"
                                "  P1 DOUBLE, P0 DOUBLE, P2 DOUBLE,\n"
                                "  PAlt DOUBLE,\n"
                                "  EGol DOUBLE, MGol DOUBLE,\n"
                                "  PRIMARY KEY (Klas, Tarih, Etkm, Mtkm)\n"
                                ")";
constexpr const char* kCreateDeleteTrigger =
    "CREATE TRIGGER IF NOT EXISTS ListePiyasaSil AFTER DELETE ON Liste\n"
    "WHEN old.Tur='O'\n"
    "BEGIN\n"
    "  DELETE FROM Piyasa WHERE Klas=old.Klas AND Tarih=old.Tarih\n"
    "    AND Etkm=old.Etkm AND Mtkm=old.Mtkm;\n"
    "END";
constexpr const char* kExists = "select count(*) from sqlite_master where type='table' and name='Piyasa'";
constexpr const char* kPut =
    "insert or replace into Piyasa (Klas,Tarih,Etkm,Mtkm,Kapanis,Kaynak,P1,P0,P2,PAlt,"
    "EGol,MGol)\n"
    "values (:Klas,:Tarih,:Etkm,:Mtkm,:Kapanis,:Kaynak,:P1,:P0,:P2,:PAlt,:EGol,:MGol)";
constexpr const char* kLeagueViews =
    "select Tarih,Etkm,Mtkm,Kapanis,Kaynak,P1,P0,P2,PAlt,EGol,MGol from Piyasa where Klas=:Klas";
constexpr const char* kTableCount = "select count(*) from sqlite_master where type='table' and name=:name";

QString isoDay(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

QVariant orNull(const std::optional<double>& value) {
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<double>());
}

std::optional<double> realAt(const QSqlQuery& query, int column) {
    const QVariant value = query.value(column);
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

bool tableExists(const Database& database, const char* name) {
    QSqlQuery query =
        runBound(database, kTableCount, {{":name", QString::fromLatin1(name)}}, kCannotReadDatabase);
    const bool found = query.next() && query.value(0).toLongLong() > 0;
    checkRowsEnd(query, database);
    return found;
}

} // namespace

MarketTable::MarketTable(Database& database)
    : database_(database), table_(database, kExists, {kCreate, kCreateDeleteTrigger}) {}

bool MarketTable::exists() {
    return table_.exists();
}

void MarketTable::ensureExists() {
    table_.ensureExists();
}

void MarketTable::put(const QString& league, const QDate& day, const QString& home, const QString& away,
                      const std::optional<MarketView>& view) {
    ensureExists();
    if (!put_)
        put_.emplace(prepareStatement(database_, kPut, kCannotWriteDatabase));
    QSqlQuery& query = *put_;
    query.bindValue(QStringLiteral(":Klas"), cutName(league));
    query.bindValue(QStringLiteral(":Tarih"), isoDay(day));
    query.bindValue(QStringLiteral(":Etkm"), cutName(home));
    query.bindValue(QStringLiteral(":Mtkm"), cutName(away));
    query.bindValue(QStringLiteral(":Kapanis"), view ? QVariant(view->closing ? 1 : 0) : QVariant());
    query.bindValue(QStringLiteral(":Kaynak"), view ? QVariant(view->source) : QVariant());
    query.bindValue(QStringLiteral(":P1"), orNull(view ? std::optional(view->home) : std::nullopt));
    query.bindValue(QStringLiteral(":P0"), orNull(view ? std::optional(view->draw) : std::nullopt));
    query.bindValue(QStringLiteral(":P2"), orNull(view ? std::optional(view->away) : std::nullopt));
    query.bindValue(QStringLiteral(":PAlt"), orNull(view ? view->under25 : std::nullopt));
    query.bindValue(QStringLiteral(":EGol"), orNull(view ? view->homeGoals : std::nullopt));
    query.bindValue(QStringLiteral(":MGol"), orNull(view ? view->awayGoals : std::nullopt));
    runPrepared(query, database_, kCannotWriteDatabase);
    query.finish();
}

std::vector<KeptMarketView> MarketTable::leagueViews(const QString& league) {
    std::vector<KeptMarketView> kept;
    if (!exists())
        return kept;
    QSqlQuery query = runBound(database_, kLeagueViews, {{":Klas", cutName(league)}}, kCannotReadDatabase);
    while (query.next()) {
        KeptMarketView row{
            query.value(0).toString(), query.value(1).toString(), query.value(2).toString(), {}};
        const std::optional<double> home = realAt(query, 5), draw = realAt(query, 6), away = realAt(query, 7);
        if (home && draw && away) {
            MarketView view;
            view.closing = query.value(3).toInt() != 0;
            view.source = query.value(4).toString();
            view.home = *home;
            view.draw = *draw;
            view.away = *away;
            view.under25 = realAt(query, 8);
            view.homeGoals = realAt(query, 9);
            view.awayGoals = realAt(query, 10);
            if (!view.homeGoals || !view.awayGoals)
                view.homeGoals = view.awayGoals = std::nullopt;
            row.view = view;
        }
        kept.push_back(std::move(row));
    }
    checkRowsEnd(query, database_);
    return kept;
}

std::vector<KeptMarketView> MarketTable::matchesWithoutView(const QString& league) {
    std::vector<KeptMarketView> missing;
    QStringList withOdds;
    const auto sameMatch = [](const char* table) {
        return QStringLiteral("exists (select 1 from %1 T where T.Klas=L.Klas and T.Tarih=L.Tarih and "
                              "T.Etkm=L.Etkm and T.Mtkm=L.Mtkm)")
            .arg(QString::fromLatin1(table));
    };
    for (const char* table : {"Oran", "Oranlar"})
        if (tableExists(database_, table))
            withOdds << sameMatch(table);
    if (withOdds.isEmpty())
        return missing;
    QString statement = QStringLiteral("select L.Tarih,L.Etkm,L.Mtkm from Liste L\n"
                                       "where L.Klas=:Klas and L.Tur='O' and (%1)")
                            .arg(withOdds.join(QStringLiteral(" or ")));
    if (exists())
        statement += QStringLiteral(" and not ") + sameMatch("Piyasa");
    statement += QStringLiteral("\norder by L.Tarih,L.Sr");
    const QByteArray text = statement.toLatin1();
    QSqlQuery query =
        runBound(database_, text.constData(), {{":Klas", cutName(league)}}, kCannotReadDatabase);
    while (query.next())
        missing.push_back(
            {query.value(0).toString(), query.value(1).toString(), query.value(2).toString(), {}});
    checkRowsEnd(query, database_);
    return missing;
}

} // namespace vezal
