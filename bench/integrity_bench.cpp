// The quick check that runs before every advice and every write, on a table of about 250,000 matches, beside
// the whole check of the menu; each timed on the file read from the system's cache and from the disk (the
// file's pages dropped from the cache first).
//
//   integrity_bench [FOLDER [RUNS]]   the table is kept in FOLDER between runs; each figure is the median
//                                     of RUNS checks (7 unless given), the whole check's of one

#include "Measure.h"

#include "store/Database.h"
#include "store/IntegrityCheck.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace vezal::bench {
namespace {

// 66 leagues of 20 teams over 10 seasons: 250,800 matches.
const TableShape kShape{66, 20, 10};

// The file's pages out of the system's cache, so that the next read comes from the disk.
void dropFromCache(const QString& path) {
    for (const QString& file : {path, path + QStringLiteral("-wal")}) {
        const int descriptor = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0)
            continue;
        ::fdatasync(descriptor);
        ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_DONTNEED);
        ::close(descriptor);
    }
}

double timedCheck(const QString& folder, bool fromDisk, const std::function<void(Database&)>& check) {
    Database database(folder, QStringLiteral("IntegrityBench"));
    if (fromDisk)
        dropFromCache(database.filePath());
    return timed([&] { check(database); });
}

int run(const QString& folder, int runs) {
    const GeneratedTable table = tableIn(folder, kShape);
    const QString path = folder + QStringLiteral("/Fvt/Liste.DB");
    std::printf("%lld rows, %.1f MB\n", static_cast<long long>(table.rows),
                double(QFileInfo(path).size()) / (1024.0 * 1024.0));

    const auto quick = [](Database& database) {
        if (!quickCheck(database).isEmpty())
            throw StoreError(QStringLiteral("the generated table is damaged"));
    };
    for (const bool fromDisk : {false, true}) {
        std::vector<double> times;
        timedCheck(folder, false, quick); // the first run fills the cache for the cached figure
        for (int i = 0; i < runs; ++i)
            times.push_back(timedCheck(folder, fromDisk, quick));
        std::printf("quick check, %s: median %.0f ms, min %.0f ms, max %.0f ms (%d runs)\n",
                    fromDisk ? "from disk" : "cached", median(times),
                    *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()), runs);
    }
    const double whole = timedCheck(folder, false, [](Database& database) { checkIntegrity(database); });
    std::printf("whole check, cached: %.0f ms\n", whole);
    return 0;
}

} // namespace
} // namespace vezal::bench

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int runs = args.size() > 2 ? std::max(1, args.at(2).toInt()) : 7;
    return vezal::bench::runInFolder(args,
                                     [&](const QString& folder) { return vezal::bench::run(folder, runs); });
}
