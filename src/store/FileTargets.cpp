#include "store/FileTargets.h"

#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>

namespace vezal {

namespace {

// %1: the path, in quotes.
constexpr const char16_t* kNotARegularFile =
    u"%1 sıradan bir dosya değil (klasör, aygıt ya da boru); üzerine yazılmaz";

} // namespace

std::optional<QString> irregularTargetRefusal(const QString& path) {
    const QFileInfo info(path);
    // A link to a file is written through; a dangling one counts as missing.
    if (!info.exists() || info.isFile())
        return std::nullopt;
    return QString::fromUtf16(kNotARegularFile)
        .arg(QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"'));
}

void refuseIrregularTarget(const QString& path) {
    if (const auto refusal = irregularTargetRefusal(path))
        throw StoreError(*refusal);
}

} // namespace vezal
