#include "exchange/CsvWriter.h"

#include "store/FileTargets.h"
#include "store/TextLines.h"

#include <csv.h>

namespace vezal {

namespace {

QByteArray field(const QString& text) {
    const QByteArray raw = text.toUtf8();
    QByteArray quoted(qsizetype(csv_write(nullptr, 0, raw.constData(), size_t(raw.size()))),
                      Qt::Uninitialized);
    csv_write(quoted.data(), size_t(quoted.size()), raw.constData(), size_t(raw.size()));
    return quoted;
}

QByteArray line(const QStringList& fields, CsvForm form) {
    const char separator = form == CsvForm::Turkish ? ';' : ',';
    QByteArray bytes;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            bytes += separator;
        bytes += field(fields.at(i));
    }
    return bytes + "\r\n";
}

} // namespace

QString csvNumber(const QString& plain, CsvForm form) {
    return form == CsvForm::Turkish ? QString(plain).replace(u'.', u',') : plain;
}

QByteArray csvText(const QList<QStringList>& lines, CsvForm form) {
    QByteArray bytes = form == CsvForm::Turkish ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    for (const QStringList& fields : lines)
        bytes += line(fields, form);
    return bytes;
}

void saveCsvBytes(const QByteArray& bytes, const QString& path) {
    refuseIrregularTarget(path);
    textlines::writeBytes(path, bytes);
}

} // namespace vezal
