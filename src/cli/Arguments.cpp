#include "cli/Arguments.h"

#include <QRegularExpression>

namespace vezal {

std::optional<QDate> parseDay(const QString& text) {
    static const QRegularExpression shown(QStringLiteral("\\A[0-9]{2}\\.[0-9]{2}\\.[0-9]{4}\\z"));
    static const QRegularExpression stored(QStringLiteral("\\A[0-9]{4}-[0-9]{2}-[0-9]{2}\\z"));
    QDate day;
    if (shown.match(text).hasMatch())
        day = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    else if (stored.match(text).hasMatch())
        day = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid() || day < kFirstDayArgument || day > kLastDayArgument)
        return std::nullopt;
    return day;
}

std::optional<qint64> wholeNumber(const QString& text, qint64 least, qint64 most) {
    static const QRegularExpression digits(QStringLiteral("\\A[0-9]+\\z"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (!ok || number < least || number > most)
        return std::nullopt;
    return number;
}

std::optional<QString> pointsBoxText(const QString& text) {
    static const QRegularExpression points(QStringLiteral("\\A[0-9]*([.,][0-9]*)?\\z"));
    if (!points.match(text).hasMatch())
        return std::nullopt;
    QString box = text;
    box.replace(QLatin1Char('.'), QLatin1Char(','));
    return box;
}

bool isScoreBoxText(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("\\A[0-9]*\\z"));
    return digits.match(text).hasMatch();
}

} // namespace vezal
