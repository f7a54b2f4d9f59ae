#include "store/LineFile.h"

#include "common/Names.h"
#include "store/FileTargets.h"
#include "store/TextLines.h"

namespace vezal {

QStringList readLineFile(const QString& path) {
    return textlines::split(textlines::readAll(path), textlines::ZeroByte::IsText);
}

void writeLineFile(const QString& path, const QStringList& lines) {
    refuseIrregularTarget(path);
    textlines::write(path, lines, textlines::LineBreaks::Allow);
}

std::optional<qsizetype> firstLineOutsideCodePage(const QStringList& lines) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!fitsCodePage1254(lines[i]))
            return i;
    }
    return std::nullopt;
}

} // namespace vezal
