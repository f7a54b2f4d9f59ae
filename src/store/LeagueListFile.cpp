#include "store/LeagueListFile.h"

#include "store/TextLines.h"

namespace vezal {

QString leagueListPath(const QString& programFolder) {
    return programFolder + QStringLiteral("/klasman.dat");
}

QStringList splitLeagueNames(const QByteArray& bytes) {
    return textlines::split(bytes, textlines::ZeroByte::EndsText);
}

QStringList loadLeagueList(const QString& path) {
    return splitLeagueNames(textlines::readAll(path));
}

// A name holding a line break would come back from the file as two names.
void saveLeagueList(const QString& path, const QStringList& names) {
    textlines::write(path, names, textlines::LineBreaks::Refuse);
}

} // namespace vezal
