#include "exchange/LeagueUpdate.h"

#include "common/Names.h"
#include "exchange/Import.h"
#include "exchange/MatchFile.h"
#include "exchange/SourceMessages.h"
#include "store/StoreError.h"

#include <algorithm>

namespace vezal {

namespace {

QString text(const char16_t* message) {
    return QString::fromUtf16(message);
}

// A web server's page where a file was expected: its first bytes open an HTML document.
bool looksLikeHtml(QIODevice& body) {
    QByteArray start = body.peek(512).trimmed().toLower();
    if (start.startsWith("\xef\xbb\xbf"))
        start = start.mid(3).trimmed();
    return start.startsWith("<!doctype html") || start.startsWith("<html") || start.startsWith("<?xml") ||
           start.startsWith("<head") || start.startsWith("<body");
}

// Leaves out the lines of other leagues. None when the file holds no line of the code.
std::optional<QString> keepLeagueLines(const LeagueSource& source, MatchFileReading& reading) {
    if (source.code.isEmpty())
        return std::nullopt;
    // A file without a Div column gives every line an empty code, and keeps them all.
    if (std::all_of(reading.rows.begin(), reading.rows.end(),
                    [](const MatchLine& row) { return row.division.isEmpty(); }))
        return std::nullopt;
    std::vector<MatchLine> kept;
    QStringList others;
    for (MatchLine& row : reading.rows) {
        if (equalNoCase(row.division, source.code)) {
            kept.push_back(std::move(row));
        } else {
            const QString reason = text(messages::kLineOtherCode).arg(row.division, source.code);
            reading.rejected.add(row.line, reason);
            for (const MatchLine::Repeat& repeat : row.repeats)
                reading.rejected.add(repeat.line, reason);
            if (!others.contains(row.division))
                others << row.division;
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
        if (!fetched.body)
            return failedUpdate(update, fetched.error);
        if (looksLikeHtml(*fetched.body))
            return failedUpdate(update, text(messages::kHtmlPage).arg(source.address));
        MatchFileReading reading = readMatchFile(*fetched.body, MatchFileKind::Results, options.today);
        if (reading.refusal)
            return failedUpdate(
                update, text(messages::kNotAMatchFile).arg(source.address, reading.refusal->trimmed()));
        // Qt may take a chunked body broken off by the server for a whole one; a last line cut short
        // still tells.
        if (reading.lastLineCut && isWebAddress(source.address))
            return failedUpdate(update, text(messages::kIncomplete).arg(source.address));
        if (const auto refusal = keepLeagueLines(source, reading))
            return failedUpdate(update, *refusal);

        ImportOptions importOptions;
        importOptions.progress = options.progress;
        importOptions.addsLeague = options.addsLeague;
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
        update.conflicts = outcome.conflicts.count();
        update.rejected = reading.rejected.count() + outcome.rejected.count();
    } catch (const StoreError& failure) {
        return failedUpdate(update, failure.message());
    }
    return update;
}

} // namespace vezal
