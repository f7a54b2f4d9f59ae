#include "exchange/MatchFile.h"

#include "common/Names.h"
#include "common/Odds.h"
#include "exchange/CsvReader.h"
#include "exchange/ExchangeMessages.h"
#include "exchange/MatchStatistics.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "store/StoreError.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
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
    // Looked for without a pattern: one made for every line was most of the reading's time.
    const auto at = std::find_if(text.cbegin(), text.cend(), [](QChar c) { return c == u' ' || c == u'T'; });
    if (at == text.cend())
        return text;
    const qsizetype blank = at - text.cbegin();
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

// A match as a results file names it; the names share the row's text.
struct MatchKey {
    qint64 day = 0;
    QString home, away, division;

    bool operator==(const MatchKey&) const = default;
};

size_t qHash(const MatchKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.day, key.home, key.away, key.division);
}

// How many header names the lines are to fill: trailing empty names (a spreadsheet's empty columns)
// need no field.
int namedColumns(const QStringList& header) {
    qsizetype count = header.size();
    while (count > 0 && header.at(count - 1).isEmpty())
        --count;
    return static_cast<int>(count);
}

} // namespace

void LineNotes::add(int line, QString reason) {
    ++count_;
    if (sorted_ && !kept_.empty() && line < kept_.back().line)
        sorted_ = false;
    // A full, sorted list takes no line beyond its last.
    if (sorted_ && kept_.size() >= kKept)
        return;
    kept_.push_back({line, std::move(reason)});
    if (kept_.size() >= 2 * kKept)
        trim();
}

void LineNotes::add(const LineNotes& other) {
    for (const RejectedLine& line : other.lines())
        add(line.line, line.reason);
    count_ += other.count_ - qsizetype(other.lines().size());
}

void LineNotes::trim() const {
    if (!sorted_)
        std::stable_sort(kept_.begin(), kept_.end(),
                         [](const RejectedLine& a, const RejectedLine& b) { return a.line < b.line; });
    sorted_ = true;
    if (kept_.size() > kKept)
        kept_.resize(kKept);
}

const std::vector<RejectedLine>& LineNotes::lines() const {
    trim();
    return kept_;
}

MatchFileReading readMatchFile(QIODevice& device, MatchFileKind kind, const QDate& today) {
    const bool results = kind == MatchFileKind::Results;
    std::optional<Columns> columns;
    std::optional<StatisticsColumns> statistics;
    std::optional<ExtraColumns> extras;
    int named = 0;
    MatchFileReading reading;
    bool usable = false; // the header names every column needed
    const int lastYear = today.year() + 1;
    TeamNames names;
    int number = 0;
    QSet<QString> divisions;
    QHash<MatchKey, std::size_t> rowOfMatch; // a results row by its match, to take in its later lines

    const auto readLine = [&](const CsvRecord& record) {
        if (!usable)
            return;
        ++number;
        const auto reject = [&](const QString& reason) {
            reading.rejected.add(record.line, reason);
        };
        if (record.broken == CsvBreak::UnclosedQuote) {
            reject(text(messages::kQuoteUnclosed));
            return;
        }
        if (record.broken == CsvBreak::TooLong) {
            reject(text(messages::kLineTooLong));
            return;
        }
        // A download or a copy cut off in its last line leaves a line of its first fields, which would
        // read as a match with the wrong figures.
        if (record.unended && record.fieldCount < named) {
            reading.lastLineCut = true;
            reject(text(messages::kLineCut).arg(named).arg(record.fieldCount));
            return;
        }
        MatchLine row;
        row.line = record.line;
        row.number = number;
        row.quotes = extras->quotes(record.fields);
        if (results) {
            // Only the bulletin shows a quote as the file spells it: a results row keeps the values, in
            // no more room than they take.
            for (FileQuote& quote : row.quotes)
                quote.text = QString();
            row.quotes.shrink_to_fit();
        }
        // A season's rows share the one spelling of their code.
        row.division = *divisions.insert(extras->division(record.fields));
        row.time = extras->time(record.fields);
        const QString dayText = field(record.fields, columns->date);
        row.day = readDay(dayText, today);
        if (!row.day.isValid()) {
            reject(text(messages::kNotADate).arg(visibleText(dayText)));
            return;
        }
        // Result entry's own refusal: the ratings begin on 2 January 2008.
        if (row.day < kCutOffDate) {
            reject(text(messages::kEntryDateTooEarly));
            return;
        }
        if (row.day.year() > lastYear) {
            reject(text(messages::kDateTooLate).arg(showDate(row.day)).arg(lastYear));
            return;
        }
        if (!results) {
            // A pairing is the press's to refuse, with its own words; but a control character would
            // break every line the name is written on.
            row.home = field(record.fields, columns->home);
            row.away = field(record.fields, columns->away);
            if (const QString& bad = hasControlCharacter(row.home) ? row.home : row.away;
                hasControlCharacter(bad)) {
                reject(text(messages::kTeamHasControlCharacter).arg(visibleText(bad)));
                return;
            }
            row.odds = readOdds(record.fields, *columns).odds;
            reading.rows.push_back(std::move(row));
            return;
        }
        const QString homeGoals = field(record.fields, columns->homeGoals);
        const QString awayGoals = field(record.fields, columns->awayGoals);
        const auto home = wholeNumber(homeGoals, 2), away = wholeNumber(awayGoals, 2);
        if (!home || !away) {
            reject(text(messages::kBadGoals).arg(visibleText(homeGoals), visibleText(awayGoals)));
            return;
        }
        row.homeGoals = *home;
        row.awayGoals = *away;
        const TeamNames::Resolved homeTeam = names.resolve(field(record.fields, columns->home));
        if (homeTeam.refusal) {
            reject(*homeTeam.refusal);
            return;
        }
        const TeamNames::Resolved awayTeam = names.resolve(field(record.fields, columns->away));
        if (awayTeam.refusal) {
            reject(*awayTeam.refusal);
            return;
        }
        if (homeTeam.name == awayTeam.name) {
            reject(text(messages::kSameTeam).arg(homeTeam.name));
            return;
        }
        row.home = homeTeam.name;
        row.away = awayTeam.name;
        const MatchKey key{row.day.toJulianDay(), row.home, row.away, row.division};
        if (const auto first = rowOfMatch.constFind(key); first != rowOfMatch.constEnd()) {
            reading.rows[*first].repeats.push_back({record.line, row.homeGoals, row.awayGoals});
            return;
        }
        rowOfMatch.insert(key, reading.rows.size());
        const OddsReading odds = readOdds(record.fields, *columns);
        row.odds = odds.odds;
        if (!row.odds && odds.invalid)
            reading.notes.add(record.line, text(messages::kOddsInvalid).arg(visibleText(*odds.invalid)));
        row.statistics = statistics->read(record.fields, row.homeGoals, row.awayGoals);
        reading.rows.push_back(std::move(row));
    };

    const CsvFile csv = readCsv(
        device,
        [&](const QStringList& header) {
            columns.emplace(header);
            statistics.emplace(header);
            extras.emplace(header);
            named = namedColumns(header);
            usable = columns->date >= 0 && columns->home >= 0 && columns->away >= 0 &&
                     (!results || (columns->homeGoals >= 0 && columns->awayGoals >= 0));
            std::vector<bool> used = columns->wanted(header.size(), results);
            statistics->markWanted(used);
            extras->want(used);
            // Nothing of a file that cannot be used is decoded.
            return usable ? used : std::vector<bool>{};
        },
        readLine);

    if (csv.headerBroken == CsvBreak::UnclosedQuote)
        return {text(messages::kHeaderQuoteUnclosed).arg(csv.brokenHeaderLine), {}, {}, {}};
    if (csv.headerBroken == CsvBreak::TooLong)
        return {text(messages::kHeaderTooLong), {}, {}, {}};
    if (csv.headerLine == 0)
        return {text(messages::kFileEmpty), {}, {}, {}};
    if (!usable) {
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
        return {text(messages::kColumnsMissing).arg(missing.join(QStringLiteral(", "))), {}, {}, {}};
    }
    return reading;
}

MatchFileReading readMatchFile(const QByteArray& bytes, MatchFileKind kind, const QDate& today) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readMatchFile(buffer, kind, today);
}

MatchFileReading readMatchFileAt(const QString& path, MatchFileKind kind, const QDate& today) {
    const std::unique_ptr<QFile> file = openInputFile(path);
    return readMatchFile(*file, kind, today);
}

} // namespace vezal
