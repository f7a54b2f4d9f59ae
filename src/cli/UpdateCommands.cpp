// vezal-cli's league sources and the update from them.
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/TabOutput.h"
#include "exchange/LeagueSources.h"
#include "exchange/LeagueUpdate.h"
#include "exchange/SourceMessages.h"
#include "store/LeagueListFile.h"
#include "store/SourceTable.h"

#include <QFileInfo>
#include <QTextStream>

namespace vezal {

namespace {

void writeSource(QTextStream& out, const LeagueSource& source) {
    out << tabCell(source.league) << '\t' << tabCell(source.code) << '\t' << tabCell(source.address) << '\n';
}

int setSource(CommandContext& context) {
    const QString league = context.positional().at(0);
    const QStringList given = {QStringLiteral("--url"), QStringLiteral("--file"), QStringLiteral("--none")};
    const auto chosen =
        std::count_if(given.begin(), given.end(), [&](const QString& o) { return context.has(o); });
    if (chosen > 1)
        throw UsageError(QStringLiteral("--url, --file ve --none seçeneklerinden yalnızca biri verilir"));
    SourceChange change;
    if (context.has(QStringLiteral("--code")))
        change.code = context.option(QStringLiteral("--code"));
    if (context.has(QStringLiteral("--url"))) {
        const QString url = context.option(QStringLiteral("--url"));
        if (!isWebAddress(url))
            throw UsageError(QStringLiteral("--url bir http ya da https adresi olmalı: %1").arg(url));
        change.address = url;
    } else if (context.has(QStringLiteral("--file"))) {
        const QString path = context.option(QStringLiteral("--file"));
        if (path.isEmpty())
            throw UsageError(QStringLiteral("--file bir dosya yolu olmalı"));
        change.address = QFileInfo(path).absoluteFilePath();
    } else if (context.has(QStringLiteral("--none"))) {
        change.address = QString();
    }

    if (!change.code && !change.address) {
        // Nothing to change: the league's line as sources lists it.
        SourceTable sources(context.database());
        writeSource(context.out, sources.find(league).value_or(LeagueSource{league, {}, {}}));
        return kExitOk;
    }
    if (const auto refusal = setLeagueSource(context.database(), context.leagueListPath(), league, change))
        return context.refuse(*refusal);
    return kExitOk;
}

int listSources(CommandContext& context) {
    SourceTable sources(context.database());
    context.out << "league\tcode\tsource\n";
    for (const LeagueSource& source : sources.all())
        writeSource(context.out, source);
    return kExitOk;
}

int update(CommandContext& context) {
    std::vector<LeagueSource> chosen;
    {
        SourceTable sources(context.database());
        if (context.positional().isEmpty()) {
            for (const LeagueSource& source : sources.all())
                if (!source.address.isEmpty())
                    chosen.push_back(source);
            if (chosen.empty())
                return context.refuse(QStringLiteral("Kaynağı olan bir lig yok; bir lige kaynak vermek için: "
                                                     "vezal-cli source LİG --url ADRES"));
        } else {
            for (const QString& league : context.positional())
                chosen.push_back(sources.find(league).value_or(LeagueSource{league, {}, {}}));
        }
    }
    SourceFetcher fetcher;
    bool allUpdated = true;
    for (const LeagueSource& source : chosen) {
        const LeagueUpdate done = updateLeague(context.database(), context.table(), fetcher, source, {});
        context.out << tabCell(done.league) << '\t';
        if (done.updated())
            context.out << done.added << '\t' << done.present << '\t' << done.conflicts << '\t'
                        << done.rejected << '\n';
        else
            context.out << "error\t" << tabCell(done.error.value_or(QString())) << '\n';
        context.out.flush();
        allUpdated = allUpdated && done.updated();
    }
    return allUpdated ? kExitOk : kExitFailure;
}

} // namespace

std::vector<Command> updateCommands() {
    return {
        {"source",
         "LİG [--code KOD] [--url ADRES | --file DOSYA | --none]",
         "Ligin kaynağını (sezon dosyasının web adresi ya da yolu) ve dosyadaki lig kodunu (Div) kaydeder; "
         "--none kaynağı siler. Seçeneksiz, ligin satırını sources gibi yazar.",
         1,
         1,
         {{"--code", true}, {"--url", true}, {"--file", true}, {"--none", false}},
         setSource},
        {"sources",
         "",
         "Kaynağı ya da kodu olan ligler: lig, kod ve kaynak.",
         0,
         0,
         {},
         listSources,
         FolderUse::DataFolder,
         TableUse::Lists},
        {"update",
         "[LİG ...]",
         "Liglerin (verilmezse kaynağı olan bütün liglerin) kaynağını okuyup import gibi ekler; her lig "
         "için hepsi ya da hiçbiri.",
         0,
         1000,
         {},
         update},
    };
}

} // namespace vezal
