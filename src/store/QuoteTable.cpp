#include "store/QuoteTable.h"

#include "common/AsianLine.h"
#include "common/Names.h"
#include "store/BoundStatement.h"
#include "store/Database.h"
#include "store/EngineError.h"

#include <QDir>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

namespace vezal {

namespace {

constexpr const char* kCreateQuotes = "CREATE TABLE IF NOT EXISTS Oranlar (\n"
                                      "  Klas VARCHAR(20) NOT NULL,\n"
                                      "  Tarih DATE NOT NULL,\n"
                                      "  Etkm VARCHAR(20) NOT NULL,\n"
                                      "  Mtkm VARCHAR(20) NOT NULL,\n"
                                      "  Kaynak VARCHAR(10) NOT NULL,\n"
                                      "  Kapanis INTEGER NOT NULL,\n"
                                      "  Sonuc VARCHAR(8) NOT NULL,\n"
                                      "  Oran DOUBLE NOT NULL,\n"
                                      "  PRIMARY KEY (Klas, Tarih, Etkm, Mtkm, Kaynak, Kapanis, Sonuc)\n"
                                      ")";
constexpr const char* kCreateDeleteTrigger =
    "CREATE TRIGGER IF NOT EXISTS ListeOranlarSil AFTER DELETE ON Liste\n"
    "WHEN old.Tur='O'\n"
    "BEGIN\n"
    "  DELETE FROM Oranlar WHERE Klas=old.Klas AND Tarih=old.Tarih\n"
    "    AND Etkm=old.Etkm AND Mtkm=old.Mtkm;\n"
    "END";
constexpr const char* kQuotesExist =
    "select count(*) from sqlite_master where type='table' and name='Oranlar'";
constexpr const char* kPutQuote =
    "insert or replace into Oranlar (Klas,Tarih,Etkm,Mtkm,Kaynak,Kapanis,Sonuc,Oran)\n"
    "values (:Klas,:Tarih,:Etkm,:Mtkm,:Kaynak,:Kapanis,:Sonuc,:Oran)";
constexpr const char* kFindQuotes = "select Kaynak,Kapanis,Sonuc,Oran from Oranlar\n"
                                    "where Klas=:Klas and Tarih=:Tarih and Etkm=:Etkm and Mtkm=:Mtkm";
constexpr const char* kLeagueQuotes =
    "select Tarih,Etkm,Mtkm,Kaynak,Kapanis,Sonuc,Oran from Oranlar where Klas=:Klas";

QString isoDay(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

StoreError failure(const Database& database, const char* what, const QSqlQuery& query) {
    return engineError(QString::fromUtf8(what).arg(QDir::toNativeSeparators(database.filePath())),
                       query.lastError());
}

// A stored row's quote; none for an outcome code this program does not know.
std::optional<Quote> quoteOf(const QSqlQuery& query, int first) {
    const std::optional<QuoteCode> code = readQuoteCode(query.value(first + 2).toString());
    if (!code)
        return std::nullopt;
    return Quote{query.value(first).toString(), query.value(first + 1).toInt() != 0, code->outcome,
                 query.value(first + 3).toDouble(), code->quarterGoals};
}

// The 1X2 and under/over codes, in QuoteOutcome's order.
constexpr const char* kCodes[] = {"1", "0", "2", "ALT", "UST"};
constexpr int kPlainCodes = 5;

// The home side's line of an Asian quote, whichever side it backs.
int homeLine(QuoteOutcome outcome, int quarterGoals) {
    return outcome == QuoteOutcome::AsianAway ? -quarterGoals : quarterGoals;
}

} // namespace

QString outcomeCode(QuoteOutcome outcome) {
    if (isAsianHandicap(outcome))
        return outcome == QuoteOutcome::AsianHome ? QStringLiteral("AH1") : QStringLiteral("AH2");
    return QString::fromLatin1(kCodes[static_cast<int>(outcome)]);
}

std::optional<QuoteOutcome> outcomeFromCode(const QString& code) {
    for (int i = 0; i < kPlainCodes; ++i)
        if (code == QLatin1String(kCodes[i]))
            return static_cast<QuoteOutcome>(i);
    return std::nullopt;
}

QString quoteCode(const Quote& quote) {
    if (isAsianHandicap(quote.outcome))
        return asianHandicapCode(quote.outcome == QuoteOutcome::AsianHome, quote.quarterGoals);
    return outcomeCode(quote.outcome);
}

std::optional<QuoteCode> readQuoteCode(const QString& code) {
    if (const std::optional<QuoteOutcome> outcome = outcomeFromCode(code))
        return QuoteCode{*outcome, 0};
    if (const std::optional<AsianCode> asian = readAsianHandicapCode(code))
        return QuoteCode{asian->home ? QuoteOutcome::AsianHome : QuoteOutcome::AsianAway,
                         asian->quarterGoals};
    return std::nullopt;
}

int asianHomeLine(const Quote& quote) {
    return homeLine(quote.outcome, quote.quarterGoals);
}

std::vector<QuoteOutcome> marketOutcomes(QuoteOutcome outcome) {
    if (outcome == QuoteOutcome::Under || outcome == QuoteOutcome::Over)
        return {QuoteOutcome::Under, QuoteOutcome::Over};
    if (isAsianHandicap(outcome))
        return {QuoteOutcome::AsianHome, QuoteOutcome::AsianAway};
    return {QuoteOutcome::Home, QuoteOutcome::Draw, QuoteOutcome::Away};
}

bool isAsianHandicap(QuoteOutcome outcome) {
    return outcome == QuoteOutcome::AsianHome || outcome == QuoteOutcome::AsianAway;
}

std::optional<double> fairProbability(const std::vector<Quote>& market, QuoteOutcome outcome,
                                      int quarterGoals) {
    const bool asian = isAsianHandicap(outcome);
    const int line = homeLine(outcome, quarterGoals);
    double sum = 0;
    std::optional<double> own;
    for (const QuoteOutcome wanted : marketOutcomes(outcome)) {
        int found = 0;
        for (const Quote& quote : market)
            if (quote.outcome == wanted && quote.odds > 1 &&
                (!asian || homeLine(quote.outcome, quote.quarterGoals) == line)) {
                ++found;
                sum += 1 / quote.odds;
                if (wanted == outcome)
                    own = 1 / quote.odds;
            }
        if (found != 1)
            return std::nullopt;
    }
    return *own / sum;
}

std::vector<QString> fairSourceOrder(const std::vector<Quote>& quotes) {
    QStringList others;
    bool average = false, pinnacle = false, bet365 = false;
    for (const Quote& quote : quotes) {
        if (quote.source == QLatin1String("Avg"))
            average = true;
        else if (quote.source == QLatin1String("PS"))
            pinnacle = true;
        else if (quote.source == QLatin1String("B365"))
            bet365 = true;
        else if (quote.source != QLatin1String("Max") && !others.contains(quote.source))
            others << quote.source;
    }
    others.sort();
    std::vector<QString> order;
    if (average)
        order.push_back(QStringLiteral("Avg"));
    if (pinnacle)
        order.push_back(QStringLiteral("PS"));
    if (bet365)
        order.push_back(QStringLiteral("B365"));
    for (const QString& source : others)
        order.push_back(source);
    return order;
}

QuoteTable::QuoteTable(Database& database)
    : database_(database), table_(database, kQuotesExist, {kCreateQuotes, kCreateDeleteTrigger}) {}

bool QuoteTable::exists() {
    return table_.exists();
}

void QuoteTable::ensureExists() {
    table_.ensureExists();
}

void QuoteTable::put(const QString& league, const QDate& day, const QString& home, const QString& away,
                     const std::vector<Quote>& quotes) {
    if (quotes.empty())
        return;
    ensureExists();
    if (!put_) {
        put_.emplace(database_.connection());
        if (!put_->prepare(QString::fromLatin1(kPutQuote)))
            throw failure(database_, kCannotWriteDatabase, *put_);
    }
    QSqlQuery& query = *put_;
    for (const Quote& quote : quotes) {
        query.bindValue(QStringLiteral(":Klas"), cutName(league));
        query.bindValue(QStringLiteral(":Tarih"), isoDay(day));
        query.bindValue(QStringLiteral(":Etkm"), cutName(home));
        query.bindValue(QStringLiteral(":Mtkm"), cutName(away));
        query.bindValue(QStringLiteral(":Kaynak"), quote.source);
        query.bindValue(QStringLiteral(":Kapanis"), quote.closing ? 1 : 0);
        query.bindValue(QStringLiteral(":Sonuc"), quoteCode(quote));
        query.bindValue(QStringLiteral(":Oran"), quote.odds);
        if (!query.exec())
            throw failure(database_, kCannotWriteDatabase, query);
    }
    query.finish();
}

std::vector<Quote> QuoteTable::find(const QString& league, const QDate& day, const QString& home,
                                    const QString& away) {
    std::vector<Quote> quotes;
    if (!exists())
        return quotes;
    QSqlQuery query = runBound(database_, kFindQuotes,
                               {{":Klas", cutName(league)},
                                {":Tarih", isoDay(day)},
                                {":Etkm", cutName(home)},
                                {":Mtkm", cutName(away)}},
                               kCannotReadDatabase);
    while (query.next())
        if (const std::optional<Quote> quote = quoteOf(query, 0))
            quotes.push_back(*quote);
    if (query.lastError().isValid())
        throw failure(database_, kCannotReadDatabase, query);
    return quotes;
}

std::vector<KeptQuote> QuoteTable::leagueQuotes(const QString& league) {
    std::vector<KeptQuote> kept;
    if (!exists())
        return kept;
    QSqlQuery query = runBound(database_, kLeagueQuotes, {{":Klas", cutName(league)}}, kCannotReadDatabase);
    while (query.next())
        if (const std::optional<Quote> quote = quoteOf(query, 3))
            kept.push_back(
                {query.value(0).toString(), query.value(1).toString(), query.value(2).toString(), *quote});
    if (query.lastError().isValid())
        throw failure(database_, kCannotReadDatabase, query);
    return kept;
}

std::optional<double> QuoteTable::closingFairProbability(const QString& league, const QDate& day,
                                                         const QString& home, const QString& away,
                                                         QuoteOutcome outcome, int quarterGoals) {
    std::vector<Quote> closing;
    const std::vector<QuoteOutcome> market = marketOutcomes(outcome);
    const bool asian = isAsianHandicap(outcome);
    for (const Quote& quote : find(league, day, home, away))
        if (quote.closing && std::find(market.begin(), market.end(), quote.outcome) != market.end() &&
            (!asian || homeLine(quote.outcome, quote.quarterGoals) == homeLine(outcome, quarterGoals)))
            closing.push_back(quote);
    for (const QString& source : fairSourceOrder(closing)) {
        std::vector<Quote> book;
        std::copy_if(closing.begin(), closing.end(), std::back_inserter(book),
                     [&](const Quote& quote) { return quote.source == source; });
        if (const std::optional<double> fair = fairProbability(book, outcome, quarterGoals))
            return fair;
    }
    return std::nullopt;
}

} // namespace vezal
