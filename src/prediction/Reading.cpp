#include "prediction/Reading.h"

#include "common/Names.h"

#include <QLocale>
#include <cmath>

namespace vezal {

namespace {

QLocale numberLocale() {
    QLocale tr = turkishLocale();
    tr.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return tr;
}

QString showCount(const QVariant& value) {
    if (value.isNull())
        return {};
    bool ok = false;
    const double count = value.toDouble(&ok);
    if (!ok || !std::isfinite(count) || count < 0)
        return {};
    return QString::number(count, 'f', 0);
}

} // namespace

QString formatRating(double rating) {
    const QLocale tr = numberLocale();
    const QString shown = tr.toString(rating, 'f', 3);
    // A small negative rating would otherwise show as "-0,000".
    if (rating < 0 && tr.toDouble(shown) == 0)
        return tr.toString(0.0, 'f', 3);
    return shown;
}

double readFigure(const QString& text) {
    const double value = readNumber(text);
    return std::isfinite(value) ? value : 0.0;
}

double readRating(const QString& text) {
    const double value = readFigure(text);
    return value > 0 ? value : 0.0;
}

int readGames(const QString& text) {
    bool ok = false;
    const int games = numberLocale().toInt(text, &ok);
    return ok ? games : 0;
}

double ratingAsShown(double rating) {
    return readRating(formatRating(rating));
}

FigureTexts figureTexts(const LeagueTableRow& row) {
    FigureTexts texts;
    if (!row.toplam.isNull())
        texts.rating = formatRating(row.toplam.toDouble());
    texts.games = showCount(row.oy);
    texts.goalsFor = showCount(row.gol);
    texts.goalsAgainst = showCount(row.ygol);
    return texts;
}

qsizetype characterCount(const QString& text) {
    return text.toUcs4().size();
}

} // namespace vezal
