#include "exchange/LeagueUpdate.h"

#include "common/Names.h"
#include "exchange/CsvReader.h"
#include "exchange/Import.h"
#include "exchange/MatchFile.h"
#include "exchange/SourceMessages.h"
#include "store/StoreError.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace vezal {

namespace {

QString text(const char16_t* message) {
    return QString::fromUtf16(message);
}

// A web server's page where a file was expected: its first bytes open an HTML document.
bool looksLikeHtml(const QByteArray& bytes) {
    QByteArray start = bytes.left(512).trimmed().toLower();
    if (start.startsWith("\xef\xbb\xbf"))
        start = start.mid(3).trimmed();
    return start.startsWith("<!doctype html") || start.startsWith("<html") || start.startsWith("<?xml") ||
           start.startsWith("<head") || start.startsWith("<body");
}

// The Div of each record, by the line it starts on; empty when the file has no such column.
QHash<int, QString> divisionsByLine(const QByteArray& bytes) {
    int column = -1;
    const CsvFile csv = readCsv(bytes, [&](const QStringList& header) {
        for (qsizetype i = 0; i < header.size() && column < 0; ++i)
            if (equalNoCase(header.at(i), QStringLiteral("Div")))
                column = int(i);
        std::vector<bool> wanted(std::size_t(header.size()), false);
        if (column >= 0)
            wanted[std::size_t(column)] = true;
        return wanted;
    });
    QHash<int, QString> divisions;
    if (column < 0)
        return divisions;
    for (const CsvRecord& record : csv.records)
        divisions.insert(record.line,
                         column < record.fields.size() ? record.fields.at(column).trimmed() : QString());
    return divisions;
}

// Leaves out the lines of other leagues. None when the file holds no line of the code.
std::optional<QString> keepLeagueLines(const QByteArray& bytes, const LeagueSource& source,
                                       MatchFileReading& reading) {
    if (source.code.isEmpty())
        return std::nullopt;
    const QHash<int, QString> divisions = divisionsByLine(bytes);
    if (divisions.isEmpty())
        return std::nullopt;
    std::vector<MatchLine> kept;
    QStringList others;
    for (MatchLine& row : reading.rows) {
        const QString division = divisions.value(row.line);
        if (equalNoCase(division, source.code)) {
            kept.push_back(std::move(row));
        } else {
            reading.rejected.push_back({row.line, text(messages::kLineOtherCode).arg(division, source.code)});
            if (!others.contains(division))
                others << division;
        }
    }
    if (kept.empty() && !others.isEmpty())
        return text(messages::kOtherLeagueCode)
            .arg(source.address, source.code, others.join(QStringLiteral(", ")));
    reading.rows = std::move(kept);
    return std::nullopt;
}

LeagueUpdate failedUpdate(LeagueUpdate update, const QString& error) {
    update.error = error;
    return update;
}

} // namespace

LeagueUpdate updateLeague(Database& database, MatchTable& table, SourceFetcher& fetcher,
                          const LeagueSource& source, const UpdateOptions& options) {
    LeagueUpdate update;
    update.league = source.league;
    if (source.address.isEmpty())
        return failedUpdate(update, text(messages::kNoSource));
    try {
        const Fetched fetched = fetcher.fetch(source.address, options.fetch);
        if (fetched.cancelled) {
            update.cancelled = true;
            return update;
        }
        if (!fetched.bytes)
            return failedUpdate(update, fetched.error);
        if (looksLikeHtml(*fetched.bytes))
            return failedUpdate(update, text(messages::kHtmlPage).arg(source.address));
        MatchFileReading reading = readMatchFile(*fetched.bytes, MatchFileKind::Results, options.today);
        if (reading.refusal)
            return failedUpdate(
                update, text(messages::kNotAMatchFile).arg(source.address, reading.refusal->trimmed()));
        if (const auto refusal = keepLeagueLines(*fetched.bytes, source, reading))
            return failedUpdate(update, *refusal);

        ImportOptions importOptions;
        importOptions.progress = options.progress;
        const ImportOutcome outcome =
            importResults(database, table, source.league, reading.rows, importOptions);
        if (outcome.refusal)
            return failedUpdate(update, *outcome.refusal);
        if (outcome.cancelled) {
            update.cancelled = true;
            return update;
        }
        update.added = outcome.added;
        update.present = outcome.present;
        update.conflicts = qsizetype(outcome.conflicts.size());
        update.rejected = qsizetype(reading.rejected.size() + outcome.rejected.size());
    } catch (const StoreError& failure) {
        return failedUpdate(update, failure.message());
    }
    return update;
}

} // namespace vezal
