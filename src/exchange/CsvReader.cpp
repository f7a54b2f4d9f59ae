#include "exchange/CsvReader.h"

#include "store/StoreError.h"

#include <QStringDecoder>
#include <csv.h>
#include <memory>

namespace vezal {

namespace {

constexpr char kSeparators[] = {',', ';', '\t'};

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Counted outside quotes, so that a quoted header name holding a comma does not decide.
char separatorOf(const QByteArray& headerLine) {
    int counts[std::size(kSeparators)] = {};
    bool quoted = false;
    for (const char c : headerLine) {
        if (c == '"')
            quoted = !quoted;
        for (std::size_t i = 0; i < std::size(kSeparators); ++i)
            if (!quoted && c == kSeparators[i])
                ++counts[i];
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < std::size(kSeparators); ++i)
        if (counts[i] > counts[best])
            best = i;
    return kSeparators[best];
}

QByteArray firstNonBlankLine(const QByteArray& bytes) {
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && !isLineEnd(bytes[end]))
            ++end;
        const QByteArray line = bytes.mid(start, end - start);
        if (!line.trimmed().isEmpty())
            return line;
        start = end + 1;
    }
    return {};
}

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// A tab is a separator when it is the separator, not a blank around a field.
int isBlank(unsigned char c) {
    return c == ' ' ? 1 : 0;
}
int isBlankOrTab(unsigned char c) {
    return c == ' ' || c == '\t' ? 1 : 0;
}

struct ParserCloser {
    void operator()(csv_parser* parser) const {
        csv_free(parser);
        delete parser;
    }
};

// What libcsv's callbacks fill in.
struct Collector {
    CsvFile* file = nullptr;
    const ColumnChoice* choose = nullptr;
    std::vector<bool> wanted;
    bool decodeAll = true;
    bool headerSeen = false;
    QStringDecoder windows1254{"windows-1254"};

    int feedingLine = 0; // the physical line being given to the parser
    int recordStart = 1; // where the record under way began
    QStringList fields;
    bool anyText = false; // a field of the record is not empty

    QString decode(const char* data, std::size_t size) {
        const QByteArrayView view(data, static_cast<qsizetype>(size));
        if (file->encoding == TextEncoding::Utf8)
            return QString::fromUtf8(view);
        return windows1254.decode(view);
    }

    void field(const char* data, std::size_t size) {
        const auto column = fields.size();
        anyText = anyText || size > 0;
        const bool needed =
            !headerSeen || decodeAll || (static_cast<std::size_t>(column) < wanted.size() && wanted[column]);
        fields << (needed && size > 0 ? decode(data, size) : QString());
    }

    void recordEnd() {
        const int line = recordStart;
        // A line end closes the record; the next one begins on the next line.
        recordStart = feedingLine + 1;
        if (!anyText) {
            fields.clear();
            return;
        }
        if (!headerSeen) {
            headerSeen = true;
            for (QString& name : fields)
                name = name.trimmed();
            file->header = fields;
            file->headerLine = line;
            if (*choose) {
                wanted = (*choose)(file->header);
                decodeAll = false;
            }
        } else {
            file->records.push_back({line, fields});
        }
        fields.clear();
        anyText = false;
    }
};

void onField(void* data, std::size_t size, void* self) {
    static_cast<Collector*>(self)->field(static_cast<const char*>(data), size);
}

void onRecordEnd(int, void* self) {
    static_cast<Collector*>(self)->recordEnd();
}

// UTF-16 as UTF-8, so that the one way of splitting serves it; other bytes as they are.
QByteArray asUtf8(const QByteArray& input) {
    const bool little = input.startsWith("\xFF\xFE");
    if (!little && !input.startsWith("\xFE\xFF"))
        return input;
    QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    return QString(decoder.decode(QByteArrayView(input).sliced(2))).toUtf8();
}

using Parser = std::unique_ptr<csv_parser, ParserCloser>;

Parser newParser(char separator) {
    Parser parser(new csv_parser);
    // Every unquoted line end is reported, blank lines too: that is how record starts get their line.
    if (csv_init(parser.get(), CSV_REPALL_NL) != 0)
        throw StoreError(QStringLiteral("CSV okuyucu başlatılamadı"));
    csv_set_delim(parser.get(), static_cast<unsigned char>(separator));
    csv_set_space_func(parser.get(), separator == '\t' ? isBlank : isBlankOrTab);
    return parser;
}

} // namespace

CsvFile readCsv(const QByteArray& input, const ColumnChoice& choose) {
    CsvFile file;
    QByteArray bytes = asUtf8(input);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    file.encoding = isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1254;
    file.separator = separatorOf(firstNonBlankLine(bytes));

    // Where each physical line begins (ended by LF, CR LF or a lone CR).
    std::vector<qsizetype> lineStarts;
    for (qsizetype start = 0; start < bytes.size();) {
        lineStarts.push_back(start);
        qsizetype end = start;
        while (end < bytes.size() && !isLineEnd(bytes[end]))
            ++end;
        if (end < bytes.size())
            end += (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
        start = end;
    }
    lineStarts.push_back(bytes.size());

    Collector collector;
    collector.file = &file;
    collector.choose = &choose;

    // Fed one physical line at a time, so that the collector knows which line a record began on. A
    // record still open after the last line holds a quote that never closed: it is dropped, and the
    // reading starts again after the line it began on.
    std::size_t next = 0;
    while (next + 1 < lineStarts.size()) {
        const Parser parser = newParser(file.separator);
        for (; next + 1 < lineStarts.size(); ++next) {
            collector.feedingLine = static_cast<int>(next) + 1;
            const qsizetype start = lineStarts[next];
            const auto size = static_cast<std::size_t>(lineStarts[next + 1] - start);
            if (csv_parse(parser.get(), bytes.constData() + start, size, onField, onRecordEnd, &collector) !=
                size)
                throw StoreError(QStringLiteral("CSV dosyası okunamadı: %1")
                                     .arg(QString::fromUtf8(csv_strerror(csv_error(parser.get())))));
        }
        // A last line without its line end: given one, so that an open quote shows.
        if (!isLineEnd(bytes.back()))
            csv_parse(parser.get(), "\n", 1, onField, onRecordEnd, &collector);
        if (collector.recordStart > collector.feedingLine) {
            csv_fini(parser.get(), onField, onRecordEnd, &collector);
            break;
        }
        file.unclosedQuotes.push_back(collector.recordStart);
        if (!collector.headerSeen)
            break;
        next = static_cast<std::size_t>(collector.recordStart); // the line after it, counted from 0
        collector.fields.clear();
        collector.anyText = false;
        collector.recordStart = collector.recordStart + 1;
    }
    return file;
}

} // namespace vezal
