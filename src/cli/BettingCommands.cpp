// vezal-cli's betting commands: the week's bulletin.
#include "betting/BettingMessages.h"
#include "betting/Bulletin.h"
#include "betting/Evidence.h"
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/ModelCommands.h"
#include "cli/TabOutput.h"
#include "common/Odds.h"
#include "store/LeagueListFile.h"
#include "store/Messages.h"
#include "store/SourceTable.h"

#include <QLocale>
#include <QTextStream>
#include <cmath>

namespace vezal {

namespace {

QString text(const char16_t* message) {
    return QString::fromUtf16(message);
}

// A decimal with a point or a comma within the bounds; a usage error otherwise.
double decimalOption(CommandContext& context, const char* name, double fallback, double least,
                     bool leastAllowed, double most, const char* example) {
    const QString option = QString::fromLatin1(name);
    if (!context.has(option))
        return fallback;
    QString typed = context.option(option).trimmed();
    typed.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(typed, &ok);
    const bool aboveLeast = leastAllowed ? value >= least : value > least;
    if (!ok || !std::isfinite(value) || !aboveLeast || value > most)
        throw UsageError(QStringLiteral("%1 için geçerli bir ondalık sayı girin (%2): %3")
                             .arg(option, QString::fromLatin1(example), context.option(option)));
    return value;
}

QString fixed(const std::optional<double>& value, int decimals) {
    return value ? QString::number(*value, 'f', decimals) : QString();
}

void writeEvidence(QTextStream& out, const QString& league, const EvidenceFigures& figures) {
    out << "evidence\t" << tabCell(league) << '\t' << evidenceMarketCode(figures.market);
    if (!figures.oddsKept) {
        out << "\t-\t-\t-\t-\t-\t-\t-\t-\n";
        return;
    }
    const auto percent = [](const std::optional<double>& value) {
        return value ? QString::number(*value, 'f', 1) : QStringLiteral("-");
    };
    const auto interval = figures.yieldInterval();
    const auto close = figures.closeValueInterval();
    out << '\t' << figures.bets << '\t' << figures.won << '\t' << percent(figures.yieldPercent()) << '\t'
        << percent(interval ? std::optional(interval->first) : std::nullopt) << '\t'
        << percent(interval ? std::optional(interval->second) : std::nullopt) << '\t'
        << percent(figures.closeValuePercent()) << '\t'
        << percent(close ? std::optional(close->first) : std::nullopt) << '\t'
        << percent(close ? std::optional(close->second) : std::nullopt) << '\n';
}

void writeRow(QTextStream& out, const BulletinRow& row, bool fair) {
    const Fixture& f = *row.fixture;
    out << f.day.toString(Qt::ISODate) << '\t' << tabCell(f.time) << '\t' << tabCell(f.league) << '\t'
        << tabCell(f.home) << '\t' << tabCell(f.away) << '\t';
    if (row.reason) {
        out << tabCell(*row.reason) << "\t\t\t\t\t\t\t\t" << (fair ? "\t\n" : "\n");
        return;
    }
    // p is the model's; the value, its mark and the stake are the forecast's, last.
    out << model::outcomeCode(row.market) << '\t' << QString::number(row.modelProbability, 'f', 4) << '\t'
        << fixed(row.book, 4) << '\t' << (row.odds ? tabCell(row.odds->text) : QString()) << '\t'
        << fixed(row.value, 4) << '\t' << (row.odds ? QString::number(row.isValue ? 1 : 0) : QString())
        << '\t' << fixed(row.stake, 2) << '\t' << QString::number(row.probability, 'f', 4) << '\t'
        << (row.odds ? tabCell(row.odds->quote.source) : QString());
    if (fair)
        out << '\t' << fixed(row.fair, 4);
    out << '\n';
}

int showBulletin(CommandContext& context) {
    BulletinRule rule;
    if (context.has(QStringLiteral("--odds")))
        rule.odds = oddsChoiceArgument(context.option(QStringLiteral("--odds")));
    rule.stake.threshold = decimalOption(context, "--threshold", rule.stake.threshold, 0, true, 100, "0.05");
    if (context.has(QStringLiteral("--bankroll"))) {
        const QString typed = context.option(QStringLiteral("--bankroll"));
        const std::optional<double> bankroll = readAmount(typed);
        if (!bankroll)
            throw UsageError(QString::fromUtf16(kAmountRefused).arg(QStringLiteral("--bankroll"), typed));
        rule.stake.bankroll = *bankroll;
    }
    rule.stake.kellyFraction =
        decimalOption(context, "--kelly", rule.stake.kellyFraction, 0, false, 1, "0.25");
    rule.stake.maxStake = decimalOption(context, "--max-stake", rule.stake.maxStake, 0, false, 1, "0.02");
    rule.stake.totalMax = decimalOption(context, "--total-max", rule.stake.totalMax, 0, false, 1, "0.10");
    rule.odds.commission = decimalOption(context, "--commission", rule.odds.commission, 0, true, 1, "0.05");
    if (context.has(QStringLiteral("--xi")))
        decimalOption(context, "--xi", model::kDefaultXi, 0, true, 1, "0.0019");
    rule.fit = modelOverrides(context);
    rule.fairRows = context.has(QStringLiteral("--fair"));

    const QStringList leagues = loadLeagueList(context.leagueListPath());
    std::optional<QString> league;
    if (context.has(QStringLiteral("--league"))) {
        league = context.option(QStringLiteral("--league"));
        if (!leagues.contains(*league))
            return context.refuse(text(messages::kNoSuchLeague).arg(*league));
    }
    const MatchFileReading reading =
        readMatchFileAt(context.positional().at(0), MatchFileKind::Fixtures, QDate::currentDate());
    if (reading.refusal)
        return context.refuse(*reading.refusal);
    const QStringList sources = oddsSourcesOf(reading.rows);
    if (rule.odds.kind == OddsChoice::Kind::Bookmaker && !sources.contains(rule.odds.bookmaker)) {
        QStringList codes = sources;
        codes.removeIf(isMarketAggregate);
        throw UsageError(
            QStringLiteral("--odds %1: dosyada bu bahisçinin oranı yok; dosyadaki bahisçiler: %2 "
                           "(ya da best, avg)")
                .arg(context.option(QStringLiteral("--odds")),
                     codes.isEmpty() ? QStringLiteral("yok") : codes.join(QStringLiteral(", "))));
    }
    if (context.has(QStringLiteral("--bookmakers"))) {
        const BookmakerReading chosen =
            readBookmakers(context.option(QStringLiteral("--bookmakers")), sources);
        if (chosen.refusal)
            throw UsageError(QStringLiteral("--bookmakers: ") + *chosen.refusal);
        rule.odds.bookmakers = chosen.codes;
    }
    if (!league && !reading.rows.empty() &&
        std::all_of(reading.rows.begin(), reading.rows.end(),
                    [](const MatchLine& line) { return line.division.isEmpty(); }))
        return context.refuse(text(messages::kNoLeagueCodeColumn));

    for (const RejectedLine& rejected : reading.rejected.lines())
        context.err << "rejected\t" << rejected.line << '\t' << tabCell(rejected.reason) << '\n';
    FixtureSorting sorting =
        sortFixtures(reading.rows, leagues, league, SourceTable(context.database()).all());
    spellAsRegistered(context.database(), sorting.fixtures);
    for (const auto& [code, count] : sorting.skipped)
        context.err << "skipped\t" << tabCell(code) << '\t' << count << '\n';

    if (context.has(QStringLiteral("--evidence"))) {
        QStringList walked;
        for (const Fixture& fixture : sorting.fixtures) {
            if (walked.contains(fixture.league))
                continue;
            walked << fixture.league;
            const LeagueEvidence evidence = leagueEvidence(context.database(), fixture.league, rule);
            writeEvidence(context.out, fixture.league, evidence.oneXTwo);
            writeEvidence(context.out, fixture.league, evidence.underOver);
        }
    }
    context.out
        << "date\ttime\tleague\thome\taway\tmarket\tp\tbook\todds\tev\tvalue\tstake\tforecast\tbookmaker"
        << (rule.fairRows ? "\tfair\n" : "\n");
    const std::vector<BulletinRow> rows = bulletinRows(context.database(), sorting.fixtures, rule);
    for (const BulletinRow& row : rows)
        writeRow(context.out, row, rule.fairRows);
    const BulletinTotals totals = bulletinTotals(rows);
    context.out << "total\t" << totals.bets << '\t' << QString::number(totals.stake, 'f', 2) << '\t'
                << QString::number(totals.expectedProfit, 'f', 2) << '\n';
    return kExitOk;
}

} // namespace

Command bulletinCommand() {
    return {"bulletin",
            "DOSYA [--league LİG] [--odds best|avg|KOD] [--bookmakers KOD,KOD,...] [--commission C] "
            "[--threshold T] [--bankroll B] [--kelly F] [--max-stake S] [--total-max S] [--evidence] "
            "[--fair] [--xi XI] [--shots-weight W] [--market-weight M] [--market-xi XM] "
            "[--pool-weight K]",
            "Fikstür dosyasındaki her maçın 1-0-2, Alt/Üst 2,5 ve KG Var/Yok sonuçlarına gol modelinin ve "
            "bahisçinin olasılığını, oranı, tahminin beklenen değerini, değer işaretini, Kelly payını, "
            "tahmini (model, maçın oranlarıyla birleştirilmiş) ve oranın bahisçisini yazar. best, "
            "--bookmakers ile verilen bahisçilerin (verilmezse dosyadaki her bahisçinin; Max ve Avg yalnız "
            "adıyla verilince) en yüksek oranını alır; borsanın (BFE) oranı --commission (0.05) kesilerek "
            "sayılır. Bir maçın her pazarında yalnız değeri en yüksek sonuca pay verilir; payların toplamı "
            "kasanın --total-max (0.10) payını aşarsa hepsi aynı oranda küçültülür. Son satır: total, bahis "
            "sayısı, toplam pay, beklenen kâr. --fair her maça dosyada oranı olmayan havuz pazarlarının "
            "(1X 12 X2, DNB1 DNB2, ALT1.5 UST1.5, ALT3.5 UST3.5, TG01 TG23 TG45 TG6) satırlarını oransız "
            "ekler ve oranı olmayan her satırın adil oranını son sütuna (fair) yazar.",
            1,
            1,
            {{"--league", true},
             {"--odds", true},
             {"--threshold", true},
             {"--bankroll", true},
             {"--kelly", true},
             {"--max-stake", true},
             {"--total-max", true},
             {"--bookmakers", true},
             {"--commission", true},
             {"--evidence", false},
             {"--fair", false},
             {"--xi", true},
             {"--shots-weight", true},
             {"--market-weight", true},
             {"--market-xi", true},
             {"--pool-weight", true}},
            showBulletin};
}

} // namespace vezal
