#include "exchange/MatchFile.h"

#include "common/Names.h"
#include "common/Odds.h"
#include "exchange/CsvReader.h"
#include "exchange/ExchangeMessages.h"
#include "exchange/MatchStatistics.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "store/StoreError.h"
#include "store/SystemErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>

namespace vezal {

namespace {

QString text(const char16_t* message) {
    return QString::fromUtf16(message);
}

using Names = std::initializer_list<const char*>;

const Names kDateNames = {"Date", "Tarih"};
const Names kHomeNames = {"HomeTeam", "Home", "HT", "Ev Sahibi"};
const Names kAwayNames = {"AwayTeam", "Away", "AT", "Misafir"};
const Names kHomeGoalNames = {"FTHG", "HG", "Ev Gol"};
const Names kAwayGoalNames = {"FTAG", "AG", "Misafir Gol"};
// Home, draw and away odds, most trusted first: market averages, then single bookmakers.
const std::array<std::array<const char*, 3>, 5> kOddsColumns = {{
    {"AvgH", "AvgD", "AvgA"},
    {"BbAvH", "BbAvD", "BbAvA"},
    {"PSH", "PSD", "PSA"},
    {"B365H", "B365D", "B365A"},
    {"Oran 1", "Oran 0", "Oran 2"},
}};

int columnOf(const QStringList& header, const char* name) {
    const QString wanted = QString::fromUtf8(name);
    for (qsizetype i = 0; i < header.size(); ++i)
        if (equalNoCase(header.at(i), wanted))
            return static_cast<int>(i);
    return -1;
}

// The first of the names the header holds.
int columnOf(const QStringList& header, Names names) {
    for (const char* name : names)
        if (const int column = columnOf(header, name); column >= 0)
            return column;
    return -1;
}

struct Columns {
    int date = -1, home = -1, away = -1, homeGoals = -1, awayGoals = -1;
    std::vector<std::array<int, 3>> odds; // the triples the header holds whole, in preference order

    explicit Columns(const QStringList& header) {
        date = columnOf(header, kDateNames);
        home = columnOf(header, kHomeNames);
        away = columnOf(header, kAwayNames);
        homeGoals = columnOf(header, kHomeGoalNames);
        awayGoals = columnOf(header, kAwayGoalNames);
        for (const auto& names : kOddsColumns) {
            const std::array<int, 3> triple = {columnOf(header, names[0]), columnOf(header, names[1]),
                                               columnOf(header, names[2])};
            if (std::all_of(triple.begin(), triple.end(), [](int c) { return c >= 0; }))
                odds.push_back(triple);
        }
    }

    std::vector<bool> wanted(qsizetype count, bool goals) const {
        std::vector<bool> used(static_cast<std::size_t>(count), false);
        const auto use = [&](int column) {
            if (column >= 0)
                used[static_cast<std::size_t>(column)] = true;
        };
        for (int column : {date, home, away})
            use(column);
        if (goals) {
            use(homeGoals);
            use(awayGoals);
        }
        for (const auto& triple : odds)
            for (int column : triple)
                use(column);
        return used;
    }
};

QString field(const QStringList& fields, int column) {
    return column < fields.size() ? fields.at(column).trimmed() : QString();
}

// Digits only, so that "1e3" or "+5" is no number.
std::optional<int> wholeNumber(const QString& text, int maxDigits) {
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// A time of day after the date ("2019-08-09 19:00:00", "09/08/2019 20:00") says nothing of the day.
QString withoutTime(const QString& text) {
    const qsizetype blank = text.indexOf(QRegularExpression(QStringLiteral("[ T]")));
    if (blank < 0)
        return text;
    static const QRegularExpression time(QStringLiteral("^[ T]+\\d{1,2}:\\d{2}(:\\d{2}(\\.\\d+)?)?$"));
    return time.match(text.mid(blank)).hasMatch() ? text.left(blank) : text;
}

// dd/mm/yy, dd/mm/yyyy, dd.mm.yyyy or yyyy-mm-dd. A two-digit year is of this century up to next year,
// else of the last: football-data's files go back to 1993.
QDate readDay(const QString& typed, const QDate& today) {
    const QString text = withoutTime(typed);
    for (const QChar separator : {u'/', u'.', u'-'}) {
        const QStringList parts = text.split(separator);
        if (parts.size() != 3)
            continue;
        if (separator == u'-') {
            const auto y = wholeNumber(parts[0], 4), m = wholeNumber(parts[1], 2),
                       d = wholeNumber(parts[2], 2);
            if (parts[0].size() == 4 && y && m && d)
                return QDate(*y, *m, *d);
            return {};
        }
        const auto d = wholeNumber(parts[0], 2), m = wholeNumber(parts[1], 2), y = wholeNumber(parts[2], 4);
        if (!d || !m || !y)
            return {};
        if (parts[2].size() == 2 && separator == u'/')
            return QDate(2000 + *y <= today.year() + 1 ? 2000 + *y : 1900 + *y, *m, *d);
        if (parts[2].size() == 4)
            return QDate(*y, *m, *d);
        return {};
    }
    return {};
}

struct OddsReading {
    std::optional<MatchOdds> odds;
    std::optional<QString> invalid; // the first text of the triples looked at that is no odds value
};

// The first triple whose three values are odds; an unusable value met on the way is named.
OddsReading readOdds(const QStringList& fields, const Columns& columns) {
    OddsReading reading;
    for (const auto& triple : columns.odds) {
        std::array<std::optional<double>, 3> values;
        for (std::size_t i = 0; i < 3; ++i) {
            const QString typed = field(fields, triple[i]);
            values[i] = readOddsValue(typed);
            if (!values[i] && !typed.isEmpty() && !reading.invalid)
                reading.invalid = typed;
        }
        if (values[0] && values[1] && values[2]) {
            reading.odds = MatchOdds{*values[0], *values[1], *values[2]};
            return reading;
        }
    }
    return reading;
}

bool hasControlCharacter(const QString& name) {
    return std::any_of(name.cbegin(), name.cend(), isControlCharacter);
}

// Team names of the file: the first spelling of a team serves every later line, whatever its letter case;
// a name that only shares its first 20 characters with an earlier one is refused.
class TeamNames {
public:
    struct Resolved {
        QString name;                   // the spelling to use
        std::optional<QString> refusal; // why lines with this name cannot be used
    };

    const Resolved& resolve(const QString& raw) {
        const auto known = byRaw_.constFind(raw);
        if (known != byRaw_.constEnd())
            return *known;
        return *byRaw_.insert(raw, decide(raw));
    }

private:
    Resolved decide(const QString& raw) {
        if (raw.isEmpty())
            return {raw, text(messages::kEmptyTeam)};
        if (hasControlCharacter(raw))
            return {raw, text(messages::kTeamHasControlCharacter).arg(visibleText(raw))};
        if (!fitsCodePage1254(raw))
            return {raw, text(messages::kTeamNotTurkish).arg(raw)};
        const QLocale turkish = turkishLocale();
        const QString whole = turkish.toLower(raw);
        const QString cut = turkish.toLower(cutName(raw));
        const auto first = firstByCut_.constFind(cut);
        if (first == firstByCut_.constEnd()) {
            firstByCut_.insert(cut, raw);
            return {raw, std::nullopt};
        }
        if (turkish.toLower(*first) == whole)
            return {*first, std::nullopt};
        return {raw, text(messages::kNamesCollide).arg(raw, *first)};
    }

    QHash<QString, Resolved> byRaw_;
    QHash<QString, QString> firstByCut_; // lower-cased 20 characters -> the first full spelling
};

} // namespace

MatchFileReading readMatchFile(const QByteArray& bytes, MatchFileKind kind, const QDate& today) {
    const bool results = kind == MatchFileKind::Results;
    std::optional<Columns> columns;
    std::optional<StatisticsColumns> statistics;
    std::optional<ExtraColumns> extras;
    const CsvFile csv = readCsv(bytes, [&](const QStringList& header) {
        columns.emplace(header);
        statistics.emplace(header);
        extras.emplace(header);
        std::vector<bool> used = columns->wanted(header.size(), results);
        statistics->markWanted(used);
        extras->want(used);
        return used;
    });

    MatchFileReading reading;
    if (csv.headerLine == 0 && !csv.unclosedQuotes.empty()) {
        reading.refusal = text(messages::kHeaderQuoteUnclosed).arg(csv.unclosedQuotes.front());
        return reading;
    }
    if (csv.headerLine == 0) {
        reading.refusal = text(messages::kFileEmpty);
        return reading;
    }
    QStringList missing;
    if (columns->date < 0)
        missing << text(messages::kDateColumn);
    if (columns->home < 0)
        missing << text(messages::kHomeColumn);
    if (columns->away < 0)
        missing << text(messages::kAwayColumn);
    if (results && columns->homeGoals < 0)
        missing << text(messages::kHomeGoalsColumn);
    if (results && columns->awayGoals < 0)
        missing << text(messages::kAwayGoalsColumn);
    if (!missing.isEmpty()) {
        reading.refusal = text(messages::kColumnsMissing).arg(missing.join(QStringLiteral(", ")));
        return reading;
    }

    for (const int line : csv.unclosedQuotes)
        reading.rejected.push_back({line, text(messages::kQuoteUnclosed)});
    const int lastYear = today.year() + 1;
    TeamNames names;
    int number = 0;
    for (const CsvRecord& record : csv.records) {
        ++number;
        const auto reject = [&](const QString& reason) {
            reading.rejected.push_back({record.line, reason});
        };
        MatchLine row;
        row.line = record.line;
        row.number = number;
        row.quotes = extras->quotes(record.fields);
        row.division = extras->division(record.fields);
        row.time = extras->time(record.fields);
        const QString dayText = field(record.fields, columns->date);
        row.day = readDay(dayText, today);
        if (!row.day.isValid()) {
            reject(text(messages::kNotADate).arg(visibleText(dayText)));
            continue;
        }
        // Result entry's own refusal: the ratings begin on 2 January 2008.
        if (row.day < kCutOffDate) {
            reject(text(messages::kEntryDateTooEarly));
            continue;
        }
        if (row.day.year() > lastYear) {
            reject(text(messages::kDateTooLate).arg(showDate(row.day)).arg(lastYear));
            continue;
        }
        if (results) {
            const QString homeGoals = field(record.fields, columns->homeGoals);
            const QString awayGoals = field(record.fields, columns->awayGoals);
            const auto home = wholeNumber(homeGoals, 2), away = wholeNumber(awayGoals, 2);
            if (!home || !away) {
                reject(text(messages::kBadGoals).arg(visibleText(homeGoals), visibleText(awayGoals)));
                continue;
            }
            row.homeGoals = *home;
            row.awayGoals = *away;
        }
        if (!results) {
            // A pairing is the press's to refuse, with its own words; but a control character would
            // break every line the name is written on.
            row.home = field(record.fields, columns->home);
            row.away = field(record.fields, columns->away);
            if (const QString& bad = hasControlCharacter(row.home) ? row.home : row.away;
                hasControlCharacter(bad)) {
                reject(text(messages::kTeamHasControlCharacter).arg(visibleText(bad)));
                continue;
            }
            row.odds = readOdds(record.fields, *columns).odds;
            reading.rows.push_back(std::move(row));
            continue;
        }
        const TeamNames::Resolved home = names.resolve(field(record.fields, columns->home));
        if (home.refusal) {
            reject(*home.refusal);
            continue;
        }
        const TeamNames::Resolved away = names.resolve(field(record.fields, columns->away));
        if (away.refusal) {
            reject(*away.refusal);
            continue;
        }
        if (home.name == away.name) {
            reject(text(messages::kSameTeam).arg(home.name));
            continue;
        }
        row.home = home.name;
        row.away = away.name;
        const OddsReading odds = readOdds(record.fields, *columns);
        row.odds = odds.odds;
        if (!row.odds && odds.invalid)
            reading.notes.push_back(
                {record.line, text(messages::kOddsInvalid).arg(visibleText(*odds.invalid))});
        row.statistics = statistics->read(record.fields, row.homeGoals, row.awayGoals);
        reading.rows.push_back(std::move(row));
    }
    std::sort(reading.rejected.begin(), reading.rejected.end(),
              [](const RejectedLine& a, const RejectedLine& b) { return a.line < b.line; });
    return reading;
}

namespace {

QString shownPath(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

} // namespace

std::optional<QString> inputFileRefusal(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    if (!info.isFile())
        return text(messages::kNotARegularFile).arg(shownPath(path));
    if (info.size() > kLargestInputFile)
        return text(messages::kFileTooLarge).arg(shownPath(path));
    return std::nullopt;
}

QByteArray readFileBytes(const QString& path) {
    const QString shown = shownPath(path);
    if (const auto refusal = inputFileRefusal(path))
        throw StoreError(*refusal);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("%1 dosyası açılamıyor: %2").arg(shown, fileErrorText(file)));
    QByteArray bytes = file.read(kLargestInputFile + 1); // a file that grew meanwhile is caught too
    if (file.error() != QFileDevice::NoError)
        throw StoreError(QStringLiteral("%1 dosyası okunamıyor: %2").arg(shown, fileErrorText(file)));
    if (bytes.size() > kLargestInputFile)
        throw StoreError(text(messages::kFileTooLarge).arg(shown));
    return bytes;
}

} // namespace vezal
