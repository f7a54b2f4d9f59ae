#include "cli/Commands.h"

#include "cli/Arguments.h"
#include "cli/CheckCommand.h"
#include "cli/Cli.h"
#include "cli/ModelCommands.h"
#include "cli/TabOutput.h"
#include "common/Names.h"
#include "common/Odds.h"
#include "evidence/PairingProbabilities.h"
#include "evidence/PerMatchCsv.h"
#include "evidence/Seasons.h"
#include "evidence/TrackRecord.h"
#include "exchange/ExchangeMessages.h"
#include "exchange/Import.h"
#include "exchange/LeaguePredictor.h"
#include "exchange/MatchFile.h"
#include "model/LeagueForecast.h"
#include "model/ModelMessages.h"
#include "prediction/Reading.h"
#include "store/Admin.h"
#include "store/FileTargets.h"
#include "store/IntegrityCheck.h"
#include "store/LeagueListFile.h"
#include "store/ListedLeagues.h"
#include "store/Messages.h"
#include "store/OddsTable.h"
#include "store/PlayedMatches.h"
#include "store/StoreError.h"

#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTextStream>
#include <algorithm>
#include <cmath>

namespace vezal {

CommandContext::CommandContext(QString folder, CommandArgs args, QTextStream& out, QTextStream& err,
                               TableUse use)
    : out(out), err(err), folder_(std::move(folder)), args_(std::move(args)), use_(use) {}

MatchTable& CommandContext::table() {
    if (!table_) {
        database_.emplace(folder_);
        if (use_ == TableUse::AdvisesOrWrites)
            if (const std::optional<QString> damage =
                    checkBeforeUse(*database_, QString::fromUtf16(messages::kDamageSeeCheck))) {
                database_.reset();
                throw StoreError(*damage);
            }
        table_.emplace(*database_);
        for (const QString& notice : relistLeaguesWithRows(*database_, leagueListPath()).notices())
            err << notice << '\n';
    }
    return *table_;
}

Database& CommandContext::database() {
    table();
    return *database_;
}

QString CommandContext::leagueListPath() const {
    return vezal::leagueListPath(folder_);
}

int CommandContext::refuse(const QString& message) {
    err << message << '\n';
    return kExitRefused;
}

QDate dayArgument(const QString& text, const QString& what) {
    const std::optional<QDate> day = parseDay(text);
    if (!day)
        throw UsageError(
            QStringLiteral("%1 gg.aa.yyyy ya da yyyy-aa-gg biçiminde, 01.01.1900 ile 31.12.2100 arasında bir "
                           "tarih olmalı: %2")
                .arg(what, text));
    return *day;
}

// The windows choose a league from klasman.dat; a name they would not offer counts as no choice, so the
// check that follows refuses with its own words.
QString chosenLeague(CommandContext& context, const QString& typed) {
    const QStringList listed = loadLeagueList(context.leagueListPath());
    return listed.contains(typed) ? typed : QString();
}

// A decimal with a point; none unless finite.
std::optional<double> pointNumber(const QString& text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double nonNegativeArgument(const QString& text, const char* option, const char* example) {
    QString typed = text;
    typed.replace(QLatin1Char(','), QLatin1Char('.'));
    const std::optional<double> value = pointNumber(typed);
    if (!value || *value < 0)
        throw UsageError(QStringLiteral("%1 sıfır ya da pozitif bir ondalık sayı olmalı (%2): %3")
                             .arg(QString::fromLatin1(option), QString::fromLatin1(example), text));
    return *value;
}

double xiArgument(const QString& text) {
    return nonNegativeArgument(text, "--xi", "0.0019");
}

int refuseUnknownLeague(CommandContext& context, const QString& typed) {
    return context.refuse(QString::fromUtf16(messages::kNoSuchLeague).arg(typed));
}

namespace {

// A new data folder: an empty league list and the database with its table. What a folder holds already
// stays as it is, so that init on a folder in use changes nothing.
int initFolder(CommandContext& context) {
    const QString path = context.leagueListPath();
    // Under the lock only when a list is to be made: a folder in use, read-only even, is left as it is.
    if (!QFileInfo::exists(path)) {
        const LeagueListLock lock(path);
        if (!QFileInfo::exists(path))
            lock.save({});
    }
    context.table();
    return kExitOk;
}

int listLeagues(CommandContext& context) {
    writeColumn(QStringLiteral("Klas"), loadLeagueList(context.leagueListPath()), context.out);
    return kExitOk;
}

int runAddLeague(CommandContext& context) {
    if (const std::optional<Refusal> refusal =
            addLeague(context.leagueListPath(), context.positional().at(0)))
        return context.refuse(*refusal);
    return kExitOk;
}

int runDeleteLeague(CommandContext& context) {
    const QString path = context.leagueListPath();
    // The list is read first: a folder without one fails on it before the database is opened.
    loadLeagueList(path);
    if (const std::optional<Refusal> refusal =
            deleteLeague(context.table(), path, context.positional().at(0)))
        return context.refuse(*refusal);
    return kExitOk;
}

int listTeams(CommandContext& context) {
    QSqlQuery query = context.table().teamListQuery(context.positional().at(0), Traversal::ForwardOnly);
    writeQuery(query, context.table(), context.out);
    return kExitOk;
}

int addTeam(CommandContext& context) {
    const QStringList& args = context.positional();
    const std::optional<QString> points = pointsBoxText(args.at(2));
    if (!points)
        throw UsageError(
            QStringLiteral("PUAN bir ondalık sayı olmalı (5,25 ya da 5.25): %1").arg(args.at(2)));
    const QString league = chosenLeague(context, args.at(0));
    if (const std::optional<QString> refusal = registerTeam(context.table(), league, args.at(1), *points))
        return context.refuse(*refusal);
    return kExitOk;
}

int runDeleteTeam(CommandContext& context) {
    if (const std::optional<Refusal> refusal =
            deleteTeam(context.table(), context.positional().at(0), context.positional().at(1)))
        return context.refuse(*refusal);
    return kExitOk;
}

int addResult(CommandContext& context) {
    const QStringList& args = context.positional();
    ResultInput input;
    input.day = dayArgument(args.at(1), QStringLiteral("TARİH"));
    input.homeScore = args.at(4);
    input.awayScore = args.at(5);
    for (const QString& score : {input.homeScore, input.awayScore})
        if (!isScoreBoxText(score))
            throw UsageError(QStringLiteral("Gol sayısı bir rakam olmalı: %1").arg(score));
    // The duplicate search sees what the results window shows when its filter date is the match day.
    input.filterDate = input.day;
    input.league = chosenLeague(context, args.at(0));
    input.home = args.at(2);
    input.away = args.at(3);
    const ResultOutcome outcome = enterResult(context.table(), input);
    if (outcome.refusal)
        return context.refuse(*outcome.refusal);
    return kExitOk;
}

int listResults(CommandContext& context) {
    const QDate from = context.has(QStringLiteral("--from"))
                           ? dayArgument(context.option(QStringLiteral("--from")), "--from")
                           : kCutOffDate;
    QSqlQuery query = context.table().shownRows(context.positional().at(0), from, Traversal::ForwardOnly);
    writeQuery(query, context.table(), context.out);
    return kExitOk;
}

int showTable(CommandContext& context) {
    const QString side = context.positional().at(0);
    if (side != QLatin1String("home") && side != QLatin1String("away"))
        throw UsageError(QStringLiteral("Tablo home ya da away olmalı: %1").arg(side));
    const QString league = context.positional().at(1);
    MatchTable& table = context.table();
    const bool home = side == QLatin1String("home");
    if (context.has(QStringLiteral("--season"))) {
        const QString season = context.option(QStringLiteral("--season"));
        const SeasonCalendar calendar(table.matchDays(league));
        const QDate first = calendar.firstDay(season);
        if (!first.isValid())
            throw UsageError(QStringLiteral("Ligde böyle bir sezon yok: %1 (sezonlar: %2)")
                                 .arg(season, calendar.seasons().join(QStringLiteral(", "))));
        const QDate last = calendar.lastDay(season);
        QSqlQuery query = home ? table.homeTable(league, first, last, Traversal::ForwardOnly)
                               : table.awayTable(league, first, last, Traversal::ForwardOnly);
        writeQuery(query, table, context.out);
        return kExitOk;
    }
    QSqlQuery query = home ? table.homeTable(league, Traversal::ForwardOnly)
                           : table.awayTable(league, Traversal::ForwardOnly);
    writeQuery(query, table, context.out);
    return kExitOk;
}

int showHistory(CommandContext& context) {
    const bool home = context.has(QStringLiteral("--home"));
    const bool away = context.has(QStringLiteral("--away"));
    const bool team = context.has(QStringLiteral("--team"));
    if ((home || away) && !team)
        throw UsageError(QStringLiteral("--home ve --away yalnızca --team ile birlikte verilir"));
    if (home && away)
        throw UsageError(QStringLiteral("--home ile --away birlikte verilemez"));
    const QString league = context.positional().at(0);
    const HistorySide side = home ? HistorySide::Home : away ? HistorySide::Away : HistorySide::Both;
    MatchTable& table = context.table();
    QSqlQuery query = team ? table.teamHistory(league, context.option(QStringLiteral("--team")), side,
                                               Traversal::ForwardOnly)
                           : table.leagueHistory(league, Traversal::ForwardOnly);
    writeQuery(query, context.table(), context.out);
    return kExitOk;
}

int listRows(CommandContext& context) {
    QSqlQuery query = context.table().allRows(Traversal::ForwardOnly);
    writeQuery(query, context.table(), context.out);
    return kExitOk;
}

} // namespace

const std::vector<Command>& commands() {
    static const std::vector<Command> head = {
        {"init",
         "",
         "Yeni bir veri klasörü hazırlar: boş lig listesi (klasman.dat) ve boş Fvt/Liste.DB. Klasörde "
         "olanlara dokunmaz.",
         0,
         0,
         {},
         initFolder,
         FolderUse::MakesOne,
         TableUse::Lists},
        {"leagues",
         "",
         "Lig listesini (klasman.dat) dosyadaki sırasıyla yazar.",
         0,
         0,
         {},
         listLeagues,
         FolderUse::DataFolder,
         TableUse::Lists},
        {"add-league",
         "AD",
         "Ligi listeye ekler; liste, ana penceredeki gibi alfabetik sırayla kaydedilir.",
         1,
         1,
         {},
         runAddLeague},
        {"delete-league",
         "AD",
         "Ligi, tablodaki bütün takımları ve maçlarıyla birlikte siler.",
         1,
         1,
         {},
         runDeleteLeague},
        {"teams",
         "LİG",
         "Ligin takımlarını alfabetik sırayla yazar.",
         1,
         1,
         {},
         listTeams,
         FolderUse::DataFolder,
         TableUse::Lists},
        {"add-team",
         "LİG AD PUAN",
         "Takımı başlangıç puanıyla lige kaydeder (0 < PUAN <= 7).",
         3,
         3,
         {},
         addTeam},
        {"delete-team", "LİG AD", "Takımı ve o ligde oynadığı bütün maçları siler.", 2, 2, {}, runDeleteTeam},
        {"add-result",
         "LİG TARİH EV MİSAFİR EG MG",
         "Maç sonucunu puanlayıp kaydeder (EG, MG: ev sahibi ve misafir takımın golleri).",
         6,
         6,
         {},
         addResult},
        {"results",
         "LİG [--from TARİH]",
         "Sonuçlar penceresinin gösterdiği satırlar; TARİH verilmezse 02.01.2008.",
         1,
         1,
         {{"--from", true}},
         listResults,
         FolderUse::DataFolder,
         TableUse::Lists},
        {"table",
         "home|away LİG [--season SEZON]",
         "İç saha (home) ya da dış saha (away) puan tablosu, en yüksek puan önce; --season 2019-20 ile "
         "yalnız o sezonun maçları ve o sezon oynayan takımların başlangıç puanları.",
         2,
         2,
         {{"--season", true}},
         showTable,
         FolderUse::DataFolder,
         TableUse::Lists},
        {"history",
         "LİG [--team AD [--home|--away]]",
         "Ligin ya da bir takımın (yalnız iç / dış saha) maçları, en yenisi önce.",
         1,
         1,
         {{"--team", true}, {"--home", false}, {"--away", false}},
         showHistory,
         FolderUse::DataFolder,
         TableUse::Lists},
    };
    static const std::vector<Command> tail = {
        {"tune",
         "LİG [--to TARİH] [--value-threshold T] [--odds best|avg|KOD]",
         "Gol modelinin zaman azalmasını (xi) ve gollerin payını (shots-weight), oranlı ligde piyasanın "
         "payını ve azalmasını ligin TARİH'e kadarki maçlarından seçip ligle saklar: son sezondan önceki "
         "sezonlarda adım adım 1X2 log kaybı en düşük olan; kapanış oranlı ligde tahminde modelin "
         "ağırlığını da (pool-weight): değer bahislerinin kapanıştaki beklenen değeri en yüksek olan.",
         1,
         1,
         {{"--to", true}, {"--value-threshold", true}, {"--odds", true}},
         tuneCommand},
        bulletinCommand(),
        betCommand(),
        betsCommand(),
        {"rows",
         "",
         "Liste tablosunun bütün satırları, Sr sırasıyla.",
         0,
         0,
         {},
         listRows,
         FolderUse::DataFolder,
         TableUse::Lists},
        {"check",
         "",
         "Veritabanını SQLite'ın bütünlük denetiminden geçirir: sağlamsa \"sağlam\" yazar, değilse "
         "sorunları standart hataya yazıp 3 ile çıkar.",
         0,
         0,
         {},
         checkDatabase,
         FolderUse::DataFolder,
         TableUse::Lists},
    };
    static const std::vector<Command> all = [] {
        std::vector<Command> joined = head;
        for (std::vector<Command> family : {predictionCommands(), tail, updateCommands()})
            for (Command& command : family)
                joined.push_back(std::move(command));
        return joined;
    }();
    return all;
}

const Command* findCommand(const QString& name) {
    for (const Command& command : commands())
        if (command.name == name)
            return &command;
    return nullptr;
}

CommandArgs parseCommandArgs(const Command& command, const QStringList& args) {
    CommandArgs parsed;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (optionsEnded || !arg.startsWith(QLatin1String("--"))) {
            parsed.positional << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? arg : arg.left(equals);
        const auto option = std::find_if(command.options.begin(), command.options.end(),
                                         [&](const OptionSpec& o) { return o.name == name; });
        if (option == command.options.end())
            throw UsageError(
                QStringLiteral("%1 komutunun böyle bir seçeneği yok: %2").arg(command.name, name));
        if (parsed.options.contains(name))
            throw UsageError(QStringLiteral("%1 seçeneği bir kez verilir").arg(name));
        if (!option->takesValue) {
            if (equals >= 0)
                throw UsageError(QStringLiteral("%1 seçeneği değer almaz").arg(name));
            parsed.options.insert(name, QString());
        } else if (equals >= 0) {
            parsed.options.insert(name, arg.mid(equals + 1));
        } else if (i + 1 < args.size()) {
            parsed.options.insert(name, args.at(++i));
        } else {
            throw UsageError(QStringLiteral("%1 seçeneğinin değeri eksik").arg(name));
        }
    }
    const auto count = parsed.positional.size();
    if (count < command.minPositional || count > command.maxPositional)
        throw UsageError(QStringLiteral("%1 komutu için argüman sayısı yanlış").arg(command.name));
    return parsed;
}

} // namespace vezal
