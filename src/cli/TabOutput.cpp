#include "cli/TabOutput.h"

#include "common/Names.h"
#include "store/MatchTable.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <QVariant>
#include <array>
#include <charconv>

namespace vezal {

QString tabCell(const QString& text) {
    return visibleText(text);
}

QString formatReal(double value) {
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (ec != std::errc())
        return QString::number(value, 'g', 17);
    return QString::fromLatin1(buffer.data(), end - buffer.data());
}

QString formatCell(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return formatReal(value.toDouble());
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return value.toDateTime().date().toString(Qt::ISODate);
    default:
        return tabCell(value.toString());
    }
}

void writeQuery(QSqlQuery& query, const MatchTable& table, QTextStream& out) {
    const QSqlRecord header = query.record();
    const int columns = header.count();
    QStringList cells;
    for (int i = 0; i < columns; ++i)
        cells << header.fieldName(i);
    out << cells.join(QLatin1Char('\t')) << '\n';
    while (table.nextRow(query)) {
        cells.clear();
        for (int i = 0; i < columns; ++i)
            cells << (query.isNull(i) ? QString() : formatCell(query.value(i)));
        out << cells.join(QLatin1Char('\t')) << '\n';
    }
}

void writeColumn(const QString& header, const QStringList& values, QTextStream& out) {
    out << header << '\n';
    for (const QString& value : values)
        out << tabCell(value) << '\n';
}

} // namespace vezal
