#include "common/Names.h"

#include <QCollator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cmath>

namespace vezal {

QLocale turkishLocale() {
    return QLocale(QLocale::Turkish, QLocale::Turkey);
}

QString cutName(const QString& name) {
    // Never keep half of a character that takes two UTF-16 units.
    if (name.size() > kNameLength && name[kNameLength - 1].isHighSurrogate())
        return name.left(kNameLength - 1);
    return name.left(kNameLength);
}

bool equalNoCase(const QString& a, const QString& b) {
    const QLocale tr = turkishLocale();
    return tr.toLower(a) == tr.toLower(b);
}

namespace {
const QCollator& collator() {
    static const QCollator c = [] {
        QCollator made(turkishLocale());
        made.setCaseSensitivity(Qt::CaseInsensitive);
        return made;
    }();
    return c;
}
} // namespace

bool lessNoCase(const QString& a, const QString& b) {
    return collator().compare(a, b) < 0;
}

int compareNoCase(const QString& a, const QString& b) {
    return collator().compare(a, b);
}

void sortNoCase(QStringList& names) {
    std::stable_sort(names.begin(), names.end(), lessNoCase);
}

std::optional<QString> spellingIn(const QStringList& names, const QString& typed) {
    const QString cut = cutName(typed);
    const auto found = std::find_if(names.begin(), names.end(),
                                    [&](const QString& name) { return equalNoCase(cutName(name), cut); });
    if (found == names.end())
        return std::nullopt;
    return cutName(*found);
}

void addOnceNoCase(QStringList& names, const QString& name) {
    if (std::none_of(names.begin(), names.end(),
                     [&](const QString& known) { return equalNoCase(known, name); }))
        names << name;
}

QString upperTurkish(const QString& text) {
    return turkishLocale().toUpper(text);
}

bool fitsCodePage1254(const QString& text) {
    QStringEncoder encoder("windows-1254");
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return false;
    QStringDecoder decoder("windows-1254");
    const QString back = decoder.decode(bytes);
    return !decoder.hasError() && back == text;
}

QString showDate(const QDate& day) {
    return day.toString(QStringLiteral("dd.MM.yyyy"));
}

bool isControlCharacter(QChar c) {
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

QString visibleText(const QString& text) {
    if (std::none_of(text.cbegin(), text.cend(), isControlCharacter))
        return text;
    QString shown;
    for (const QChar c : text) {
        if (!isControlCharacter(c)) {
            shown += c;
            continue;
        }
        switch (c.unicode()) {
        case u'\n':
            shown += QLatin1String("\\n");
            break;
        case u'\r':
            shown += QLatin1String("\\r");
            break;
        case u'\t':
            shown += QLatin1String("\\t");
            break;
        case 0:
            shown += QLatin1String("\\0");
            break;
        default:
            shown += c.unicode() < 0x100 ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                                         : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        }
    }
    return shown;
}

QString showDecimal(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double shown = std::round(value * scale) / scale;
    return turkishLocale().toString(shown == 0 ? 0.0 : shown, 'f', decimals);
}

QString showPercent(double percent) {
    const QString number = showDecimal(std::abs(percent), 1);
    const bool below = showDecimal(percent, 1).startsWith(u'-');
    return (below ? QStringLiteral("-%") : QStringLiteral("%")) + number;
}

double readNumber(const QString& text) {
    QLocale tr = turkishLocale();
    tr.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = tr.toDouble(text, &ok);
    return ok ? value : 0.0;
}

} // namespace vezal
