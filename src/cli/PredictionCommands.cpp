// Predicting from the command line: one pairing, a fixture file, the goals model's probabilities, and the
// track record of a league's past; and the import that feeds them.
#include "cli/Arguments.h"
#include "cli/CheckCommand.h"
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/ModelCommands.h"
#include "cli/TabOutput.h"
#include "cli/TrackRecordCommand.h"
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
#include "model/Pricing.h"
#include "prediction/Reading.h"
#include "store/Admin.h"
#include "store/FileTargets.h"
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

namespace {

void writeSection(QTextStream& out, const char* name) {
    out << '[' << name << "]\n";
}

// The prediction boxes under the names the window gives them, Memo9 to Memo21: scripts read these lines.
void writePredictionBoxes(QTextStream& out, const ComparisonPanel& panel) {
    const std::pair<int, const QString&> boxes[] = {
        {9, panel.firstSign},
        {10, panel.secondSign},
        {11, panel.thirdSign},
        {12, panel.underOver},
        {13, panel.score.home},
        {14, panel.score.away},
        {15, panel.alternatives[0].home},
        {16, panel.alternatives[0].away},
        {17, panel.alternatives[1].home},
        {18, panel.alternatives[1].away},
        {19, panel.alternatives[2].home},
        {20, panel.alternatives[2].away},
        {21, panel.goalsBand},
    };
    for (const auto& [number, text] : boxes)
        out << "Memo" << number << '\t' << text << '\n';
}

// The prediction boxes, the commentary and the coupon line, each under its section.
void writePrediction(QTextStream& out, const PairingPrediction& prediction) {
    writeSection(out, "prediction");
    writePredictionBoxes(out, prediction.panel);
    writeSection(out, "commentary");
    for (const QString& line : prediction.commentary)
        out << line << '\n';
    writeSection(out, "coupon");
    out << prediction.couponLine << '\n';
}

int predictMatch(CommandContext& context) {
    const QStringList& args = context.positional();
    const QString matchNumber = context.option(QStringLiteral("--match-no"));
    // What the single-line match number box could hold.
    if (characterCount(matchNumber) > 3 || matchNumber.contains(QLatin1Char('\n')) ||
        matchNumber.contains(QLatin1Char('\r')))
        throw UsageError(
            QStringLiteral("Maç numarası en çok 3 karakterlik tek satır olmalı: %1").arg(matchNumber));

    LeaguePredictor predictor(context.table(), chosenLeague(context, args.at(0)));
    const PairingPrediction prediction = predictor.predict(args.at(1), args.at(2), matchNumber);
    if (prediction.refusal)
        return context.refuse(*prediction.refusal);
    writePrediction(context.out, prediction);
    return kExitOk;
}

// A count, then the lines kept of them in file order, each under `kind` ("line" or "note").
void writeLines(QTextStream& out, const char* count, const char* kind, const LineNotes& lines) {
    if (count)
        out << count << '\t' << lines.count() << '\n';
    for (const RejectedLine& line : lines.lines())
        out << kind << '\t' << line.line << '\t' << line.reason << '\n';
}

void writeRejected(QTextStream& out, const LineNotes& rejected) {
    writeLines(out, "rejected", "line", rejected);
}

int importFile(CommandContext& context) {
    const QStringList& args = context.positional();
    ImportOptions options;
    if (context.has(QStringLiteral("--start-points"))) {
        const QString typed = context.option(QStringLiteral("--start-points"));
        const std::optional<QString> points = pointsBoxText(typed);
        if (!points || points->isEmpty())
            throw UsageError(
                QStringLiteral("--start-points bir ondalık sayı olmalı (3,5 ya da 3.5): %1").arg(typed));
        options.startingPoints = readNumber(*points);
    }
    options.dryRun = context.has(QStringLiteral("--dry-run"));
    if (const auto refusal = inputFileRefusal(args.at(1)))
        return context.refuse(*refusal);
    const MatchFileReading reading =
        readMatchFileAt(args.at(1), MatchFileKind::Results, QDate::currentDate());
    if (reading.refusal)
        return context.refuse(*reading.refusal);
    const ImportOutcome outcome =
        importResults(context.database(), context.table(), args.at(0), reading.rows, options);
    if (outcome.refusal)
        return context.refuse(*outcome.refusal);
    LineNotes rejected = reading.rejected;
    rejected.add(outcome.rejected);
    context.out << "added\t" << outcome.added << '\n' << "present\t" << outcome.present << '\n';
    writeLines(context.out, "conflict", "line", outcome.conflicts);
    writeRejected(context.out, rejected);
    // Lines taken with a remark: counted above, noted here.
    writeLines(context.out, nullptr, "note", reading.notes);
    // Lines there were, and not one of them could be used: nothing was written, and the reasons are the
    // refusal.
    if (rejected.empty() || outcome.added != 0 || outcome.present != 0)
        return kExitOk;
    context.err << QString::fromUtf16(messages::kNoUsableLine) << '\n';
    for (const RejectedLine& line : rejected.lines())
        context.err << QStringLiteral("Satır %1: %2").arg(line.line).arg(line.reason) << '\n';
    return kExitRefused;
}

int predictFixtureFile(CommandContext& context) {
    const QStringList& args = context.positional();
    if (const auto refusal = inputFileRefusal(args.at(1)))
        return context.refuse(*refusal);
    const MatchFileReading reading =
        readMatchFileAt(args.at(1), MatchFileKind::Fixtures, QDate::currentDate());
    if (reading.refusal)
        return context.refuse(*reading.refusal);
    writeRejected(context.out, reading.rejected);
    for (const FixturePrediction& fixture :
         predictFixtures(context.table(), chosenLeague(context, args.at(0)), reading.rows)) {
        context.out << "[fixture " << fixture.fixture.number << "]\t" << fixture.fixture.home << '\t'
                    << fixture.fixture.away << '\n';
        if (fixture.prediction.refusal) {
            writeSection(context.out, "refusal");
            context.out << *fixture.prediction.refusal << '\n';
        } else {
            writePrediction(context.out, fixture.prediction);
        }
    }
    return kExitOk;
}

// Three odds split by commas ("2.10,3.40,3.60"), or by semicolons or blanks when the odds themselves
// are written with a comma ("2,10;3,40;3,60").
model::ThreeWay oddsArgument(const QString& text) {
    static const QRegularExpression otherSeparator(QStringLiteral("[;\\s]+"));
    const QString trimmed = text.trimmed();
    const QStringList parts =
        trimmed.contains(otherSeparator) ? trimmed.split(otherSeparator) : trimmed.split(QLatin1Char(','));
    std::optional<double> odds[3];
    if (parts.size() == 3)
        for (int i = 0; i < 3; ++i)
            odds[i] = readOddsValue(parts.at(i));
    if (!odds[0] || !odds[1] || !odds[2])
        throw UsageError(QStringLiteral("--odds üç oran olmalı, her biri 1'den büyük ve en fazla 1000 "
                                        "(2.10,3.40,3.60 ya da 2,10;3,40;3,60): %1")
                             .arg(visibleText(text)));
    return model::ThreeWay{*odds[0], *odds[1], *odds[2]};
}

void writeValue(QTextStream& out, const char* name, std::optional<double> value) {
    out << name << '\t' << (value ? formatReal(*value) : QString()) << '\n';
}

void writeThreeWay(QTextStream& out, const char* prefix, const model::ThreeWay& values) {
    const std::pair<const char*, double> lines[] = {
        {"home", values.home}, {"draw", values.draw}, {"away", values.away}};
    for (const auto& [side, value] : lines)
        out << prefix << '-' << side << '\t' << formatReal(value) << '\n';
}

// A line per outcome of every market: its code, the probability that it wins, its fair odds; those that
// can give stakes back add the half-win, push, half-loss and loss probabilities. Then the grid's figures.
void writeMarkets(QTextStream& out, const model::ScoreGrid& grid) {
    for (const model::PricedOutcome& priced : model::priceMarkets(grid)) {
        const model::OutcomeChances& c = priced.chances;
        out << "market\t" << model::outcomeCode(priced.outcome) << '\t' << formatReal(c.win) << '\t'
            << (priced.fair ? formatReal(*priced.fair) : QString());
        const model::Market market = model::marketOf(priced.outcome);
        if (market == model::Market::AsianHandicap || market == model::Market::DrawNoBet)
            for (const double p : {c.halfWin, c.push, c.halfLoss, c.loss})
                out << '\t' << formatReal(p);
        out << '\n';
    }
    const auto [homeGoals, awayGoals] = grid.expectedGoals();
    writeValue(out, "grid-home-goals", homeGoals);
    writeValue(out, "grid-away-goals", awayGoals);
    writeValue(out, "grid-rho", grid.rho());
    writeValue(out, "grid-first-half-share", grid.firstHalfShare());
}

int showProbabilities(CommandContext& context) {
    const QStringList& args = context.positional();
    const QString& league = args.at(0);
    const QString& home = args.at(1);
    const QString& away = args.at(2);
    const ModelOverrides overrides = modelOverrides(context);
    std::optional<model::ThreeWay> odds;
    if (context.has(QStringLiteral("--odds")))
        odds = oddsArgument(context.option(QStringLiteral("--odds")));
    std::optional<QDate> day;
    if (context.has(QStringLiteral("--date")))
        day = dayArgument(context.option(QStringLiteral("--date")), "--date");

    const model::FitOptions options = fitOptionsFor(context, league, overrides);
    const PairingProbabilities opinion =
        pairingProbabilities(context.database(), league, home, away, day, odds, options);
    if (opinion.refusal)
        return context.refuse(*opinion.refusal);
    const model::PairingForecast& f = opinion.forecast;
    QTextStream& out = context.out;
    out << "date\t" << opinion.day.toString(Qt::ISODate) << '\n' << "matches\t" << f.matchesFitted << '\n';
    writeThreeWay(out, "p", f.forecast.outcome);
    writeValue(out, "p-under-2.5", f.forecast.under25);
    writeValue(out, "p-over-2.5", f.forecast.over25);
    writeValue(out, "p-btts", f.forecast.bothScore);
    for (std::size_t i = 0; i < f.forecast.likelyScores.size(); ++i) {
        const model::ScoreProbability& score = f.forecast.likelyScores[i];
        out << "score-" << i + 1 << '\t' << score.homeGoals << '-' << score.awayGoals << '\t'
            << formatReal(score.probability) << '\n';
    }
    writeValue(out, "fair-home", f.fairHome);
    writeValue(out, "fair-draw", f.fairDraw);
    writeValue(out, "fair-away", f.fairAway);
    if (f.expectedValues && f.bookmaker) {
        writeThreeWay(out, "ev", *f.expectedValues);
        writeThreeWay(out, "book", *f.bookmaker);
    }
    writeModelOptions(out, options);
    // The forecast after the model's own lines: the model pooled with the odds where there are any.
    const model::PooledForecast& forecast = opinion.pooled;
    writeThreeWay(out, "forecast", forecast.outcome);
    writeValue(out, "forecast-under-2.5", forecast.under25);
    writeValue(out, "forecast-over-2.5", forecast.over25);
    if (forecast.expectedValues)
        writeThreeWay(out, "forecast-ev", *forecast.expectedValues);
    if (opinion.grid)
        writeMarkets(out, *opinion.grid);
    return kExitOk;
}

std::vector<OptionSpec> withModelOptions(std::vector<OptionSpec> options) {
    const std::vector<OptionSpec> model = modelOptions();
    options.insert(options.end(), model.begin(), model.end());
    return options;
}

} // namespace

std::vector<Command> predictionCommands() {
    return {
        {"predict",
         "LİG EV MİSAFİR [--match-no NO]",
         "Ana penceredeki \"Tahmin\" gibi maçı tahmin eder: tahmin kutuları, yorum ve kupon satırı.",
         3,
         3,
         {{"--match-no", true}},
         predictMatch},
        {"import",
         "LİG DOSYA [--start-points PUAN] [--dry-run]",
         "CSV sonuç dosyasındaki maçları sonuç penceresindeki gibi gün gün puanlayıp ekler; hepsi ya da "
         "hiçbiri.",
         2,
         2,
         {{"--start-points", true}, {"--dry-run", false}},
         importFile},
        {"predict-fixtures",
         "LİG DOSYA",
         "CSV fikstür dosyasındaki her maçı sırasıyla predict gibi tahmin eder; maç numarası satırın "
         "sırasıdır.",
         2,
         2,
         {},
         predictFixtureFile},
        {"probabilities",
         "LİG EV MİSAFİR [--date TARİH] [--odds ORANLAR] [--xi XI] [--shots-weight W] [--market-weight M] "
         "[--market-xi XM] [--pool-weight K]",
         "Ligin TARİH'ten önceki maçlarına oturtulan Dixon-Coles gol modeliyle maçın olasılıkları, adil "
         "oranları ve oranlar varsa bahislerin beklenen değeri; sonra modelin oranlarla birleştirilmiş "
         "tahmini.",
         3, 3, withModelOptions({{"--date", true}, {"--odds", true}}), showProbabilities},
        {"track-record",
         "LİG [--from TARİH] [--to TARİH] [--per-match DOSYA [--turkish]] [--xi XI] [--shots-weight W] "
         "[--market-weight M] [--market-xi XM] [--pool-weight K] [--odds best|avg|KOD] "
         "[--value-threshold T] [--calibration]",
         "Ligin geçmiş maçlarını, her birini kendi gününden önceki tabloyla \"Tahmin\" gibi ve o günden "
         "önceki maçlara oturtulan gol modeliyle tahmin edip isabetleri sezon sezon sayar; tahmin "
         "(model, maçın kapanış öncesi oranlarıyla birleştirilmiş), olasılık * oran > 1 + T olan "
         "sonuçlara değer bahsi yapar (T verilmezse 0.05) ve bahisleri kapanış oranıyla karşılaştırır.",
         1, 1,
         withModelOptions({{"--from", true},
                           {"--to", true},
                           {"--per-match", true},
                           {"--odds", true},
                           {"--value-threshold", true},
                           {"--calibration", false},
                           {"--turkish", false}}),
         showTrackRecord},
    };
}

} // namespace vezal
