#pragma once

// What every benchmark measures with: wall-clock timing, medians, and a generated table kept between
// runs once the rows that earlier runs' entries added are taken out again.

#include "TableGenerator.h"
#include "store/StoreError.h"

#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace vezal::bench {

using Clock = std::chrono::steady_clock;

inline double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double timed(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return millisecondsSince(start);
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The table all benchmarks run on: about a million match rows.
inline const TableShape kLargeShape{250, 20, 10};

inline qint64 expectedRows(const TableShape& shape) {
    const qint64 teams = qint64(shape.leagues) * shape.teamsPerLeague;
    return teams + teams * (shape.teamsPerLeague - 1) * shape.seasons;
}

// The benchmarks' own entries are dated from this day on, after every generated match.
inline constexpr const char* kBenchDays = "2030-01-01";

inline void removeBenchRows(const QString& folder) {
    SqliteConnection db = sqliteOpen(folder + QStringLiteral("/Fvt/Liste.DB"));
    sqliteExec(db.get(), (std::string("delete from Liste where Tarih>='") + kBenchDays + "'").c_str());
}

// The kept table when it is the generated one, otherwise a new one.
inline GeneratedTable tableIn(const QString& folder, const TableShape& shape) {
    if (QFileInfo::exists(folder + QStringLiteral("/Fvt/Liste.DB"))) {
        removeBenchRows(folder);
        SqliteConnection db = sqliteOpen(folder + QStringLiteral("/Fvt/Liste.DB"));
        SqliteStatement count = sqlitePrepare(db.get(), "select count(*) from Liste");
        sqlite3_step(count.get());
        if (sqlite3_column_int64(count.get(), 0) == expectedRows(shape)) {
            GeneratedTable kept{folder, expectedRows(shape), {}, 0};
            for (int l = 0; l < shape.leagues; ++l)
                kept.leagues << leagueName(l);
            return kept;
        }
        count.reset();
        db.reset();
        QDir(folder).removeRecursively();
    }
    GeneratedTable made = generateTable(folder, shape);
    std::printf("generated %lld rows in %.1f s (%s)\n", static_cast<long long>(made.rows), made.seconds,
                folder.toUtf8().constData());
    return made;
}

// A benchmark's run over its table: in the folder given on the command line (kept between runs), else in a
// temporary one; a store failure ends it with its message.
inline int runInFolder(const QStringList& args, const std::function<int(const QString&)>& run) {
    try {
        if (args.size() > 1)
            return run(args.at(1));
        QTemporaryDir temporary;
        return run(temporary.path());
    } catch (const StoreError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

} // namespace vezal::bench
