#include "exchange/CsvReader.h"

#include "exchange/ExchangeMessages.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileDevice>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <csv.h>
#include <deque>
#include <memory>
#include <optional>

namespace vezal {

namespace {

constexpr char kSeparators[] = {',', ';', '\t'};
constexpr qint64 kChunk = 64 * 1024;

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

[[noreturn]] void readFailed(const QIODevice& device) {
    const auto* file = qobject_cast<const QFileDevice*>(&device);
    const QString name = file ? QDir::toNativeSeparators(file->fileName()) : QString();
    throw StoreError(QString::fromUtf16(messages::kCannotReadFile)
                         .arg(QLatin1Char('"') + name + QLatin1Char('"'),
                              QStringLiteral("disk okunamadı (giriş/çıkış hatası)")));
}

// Physical lines of a device, each ended by LF, CR LF or a lone CR, handed out in pieces of at most a
// chunk, so that a line of any length passes through a fixed buffer.
class LineReader {
public:
    LineReader(QIODevice& device, qint64 start) : device_(device) { seek(start); }

    void seek(qint64 offset) {
        if (!device_.seek(offset))
            readFailed(device_);
        buffer_.clear();
        at_ = 0;
        offset_ = offset;
    }

    // Where the next piece begins in the device.
    qint64 offset() const { return offset_; }

    // The next piece, empty at the end; `endsLine` tells whether its line ends with it.
    QByteArrayView next(bool& endsLine) {
        endsLine = false;
        if (at_ == buffer_.size() && !fill())
            return {};
        qsizetype end = at_;
        while (end < buffer_.size() && !isLineEnd(buffer_[end]))
            ++end;
        if (end < buffer_.size()) {
            endsLine = true;
            if (buffer_[end] == '\r' && end + 1 == buffer_.size() && device_.peek(1) == "\n")
                buffer_ += device_.read(1);
            end += (buffer_[end] == '\r' && end + 1 < buffer_.size() && buffer_[end + 1] == '\n') ? 2 : 1;
        }
        const QByteArrayView piece = QByteArrayView(buffer_).sliced(at_, end - at_);
        offset_ += piece.size();
        at_ = end;
        return piece;
    }

    // Passes over the rest of the line the reader stands in.
    void skipLine() {
        bool endsLine = false;
        while (!next(endsLine).isEmpty() && !endsLine) {
        }
    }

private:
    bool fill() {
        buffer_.resize(kChunk);
        const qint64 count = device_.read(buffer_.data(), kChunk);
        if (count < 0)
            readFailed(device_);
        buffer_.resize(count);
        at_ = 0;
        return count > 0;
    }

    QIODevice& device_;
    QByteArray buffer_;
    qsizetype at_ = 0;
    qint64 offset_ = 0;
};

// Counted outside quotes, so that a quoted header name holding a comma does not decide.
char separatorOf(QByteArrayView headerLine) {
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

// The first line that holds more than blanks (its first kLongestRecord bytes).
QByteArray firstNonBlankLine(QIODevice& device, qint64 start) {
    LineReader lines(device, start);
    QByteArray line;
    bool endsLine = false;
    for (QByteArrayView piece = lines.next(endsLine); !piece.isEmpty(); piece = lines.next(endsLine)) {
        if (line.size() < kLongestRecord)
            line.append(piece.first(std::min<qsizetype>(piece.size(), kLongestRecord - line.size())));
        if (endsLine || line.size() >= kLongestRecord) {
            if (!line.trimmed().isEmpty())
                return line;
            if (!endsLine)
                lines.skipLine();
            line.clear();
        }
    }
    return line;
}

bool isValidUtf8(QIODevice& device, qint64 start) {
    if (!device.seek(start))
        readFailed(device);
    QStringDecoder decoder(QStringDecoder::Utf8);
    QByteArray chunk;
    while (!(chunk = device.read(kChunk)).isEmpty()) {
        [[maybe_unused]] const QString text = decoder.decode(chunk);
        if (decoder.hasError())
            return false;
    }
    // A sequence cut off at the end shows as an error once a plain character follows it.
    [[maybe_unused]] const QString end = decoder.decode(QByteArrayView("\n"));
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

using Parser = std::unique_ptr<csv_parser, ParserCloser>;

// libcsv's own words are English.
QString parserFailure(int error) {
    switch (error) {
    case CSV_ENOMEM:
        return QStringLiteral("bellek yetmedi");
    case CSV_ETOOBIG:
        return QStringLiteral("bir alan çok büyük");
    default:
        return QStringLiteral("ayrıştırıcı hatası %1").arg(error);
    }
}

Parser newParser(char separator) {
    Parser parser(new csv_parser);
    // Every unquoted line end is reported, blank lines too: that is how record starts get their line.
    if (csv_init(parser.get(), CSV_REPALL_NL) != 0)
        throw StoreError(QStringLiteral("CSV okuyucu başlatılamadı"));
    csv_set_delim(parser.get(), static_cast<unsigned char>(separator));
    csv_set_space_func(parser.get(), separator == '\t' ? isBlank : isBlankOrTab);
    return parser;
}

// What libcsv's callbacks fill in. Nothing here calls out of the reader while libcsv runs: records wait
// in `ready` until the parse of the piece returns.
struct Collector {
    CsvFile* file = nullptr;
    std::vector<bool> wanted;
    bool decodeAll = true;
    bool headerSeen = false;
    bool choiceDue = false; // the header is in; the columns are to be chosen before the next piece
    QStringDecoder windows1254{"windows-1254"};

    int feedingLine = 0; // the physical line being given to the parser
    int recordStart = 1; // where the record under way began
    qint64 recordStartOffset = 0;
    qint64 recordBytes = 0; // given to the parser since the record began
    QStringList fields;
    int fieldCount = 0;
    bool anyText = false; // a field of the record is not empty
    std::deque<CsvRecord> ready;

    QString decode(const char* data, std::size_t size) {
        const QByteArrayView view(data, static_cast<qsizetype>(size));
        if (file->encoding == TextEncoding::Utf8)
            return QString::fromUtf8(view);
        return windows1254.decode(view);
    }

    void field(const char* data, std::size_t size) {
        const auto column = static_cast<std::size_t>(fieldCount++);
        anyText = anyText || size > 0;
        if (headerSeen && !decodeAll && column >= wanted.size())
            return;
        const bool needed = !headerSeen || decodeAll || wanted[column];
        fields << (needed && size > 0 ? decode(data, size) : QString());
    }

    void restart(int line) {
        fields.clear();
        fieldCount = 0;
        anyText = false;
        recordStart = line;
        recordBytes = 0;
    }

    void recordEnd() {
        const int line = recordStart;
        // A line end closes the record; the next one begins on the next line.
        const bool text = anyText;
        QStringList done = std::move(fields);
        const int count = fieldCount;
        restart(feedingLine + 1);
        if (!text)
            return;
        if (!headerSeen) {
            headerSeen = true;
            for (QString& name : done)
                name = name.trimmed();
            file->header = std::move(done);
            file->headerLine = line;
            choiceDue = true;
            return;
        }
        ready.push_back({line, std::move(done), count, CsvBreak::None, false});
    }
};

void onField(void* data, std::size_t size, void* self) {
    static_cast<Collector*>(self)->field(static_cast<const char*>(data), size);
}

void onRecordEnd(int, void* self) {
    static_cast<Collector*>(self)->recordEnd();
}

// UTF-16 as UTF-8 in a file of its own, so that the one way of splitting serves it.
std::unique_ptr<QTemporaryFile> asUtf8(QIODevice& device, qint64 start, bool little) {
    auto copy = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("vezal-XXXXXX.csv")));
    if (!copy->open())
        throw StoreError(
            QString::fromUtf16(messages::kCannotOpenFile)
                .arg(QLatin1Char('"') + QDir::toNativeSeparators(copy->fileTemplate()) + QLatin1Char('"'),
                     QStringLiteral("geçici dosya oluşturulamadı")));
    if (!device.seek(start + 2))
        readFailed(device);
    QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    QByteArray chunk;
    while (!(chunk = device.read(kChunk)).isEmpty()) {
        const QByteArray bytes = QString(decoder.decode(chunk)).toUtf8();
        if (copy->write(bytes) != bytes.size())
            readFailed(*copy);
    }
    if (!copy->flush())
        readFailed(*copy);
    return copy;
}

} // namespace

CsvFile readCsv(QIODevice& input, const ColumnChoice& choose, const RecordSink& sink) {
    CsvFile file;
    qint64 start = input.pos();
    const QByteArray mark = input.peek(3);
    std::unique_ptr<QTemporaryFile> converted;
    if (mark.startsWith("\xFF\xFE") || mark.startsWith("\xFE\xFF")) {
        converted = asUtf8(input, start, mark.startsWith("\xFF\xFE"));
        start = 0;
    } else if (mark == "\xEF\xBB\xBF") {
        start += 3;
    }
    QIODevice& device = converted ? *converted : input;
    file.encoding = isValidUtf8(device, start) ? TextEncoding::Utf8 : TextEncoding::Windows1254;
    file.separator = separatorOf(firstNonBlankLine(device, start));

    Collector collector;
    collector.file = &file;
    const auto deliver = [&] {
        if (collector.choiceDue) {
            collector.choiceDue = false;
            if (choose) {
                collector.wanted = choose(file.header);
                collector.decodeAll = false;
            }
        }
        for (; !collector.ready.empty(); collector.ready.pop_front())
            if (sink)
                sink(collector.ready.front());
    };
    // A broken record is dropped and the reading starts again on the line after the one it began on;
    // a broken header ends it.
    const auto broken = [&](CsvBreak kind) {
        if (!collector.headerSeen) {
            file.headerBroken = kind;
            file.brokenHeaderLine = collector.recordStart;
            return false;
        }
        collector.ready.push_back({collector.recordStart, {}, 0, kind, false});
        return true;
    };

    LineReader lines(device, start);
    int line = 1;
    bool atLineStart = true;
    bool lastEndedLine = true;
    collector.recordStartOffset = start;
    for (;;) {
        const Parser parser = newParser(file.separator);
        bool stopped = false;
        for (;;) {
            if (atLineStart && line == collector.recordStart)
                collector.recordStartOffset = lines.offset();
            bool endsLine = false;
            const QByteArrayView piece = lines.next(endsLine);
            if (piece.isEmpty())
                break;
            // Stopped before the piece that would take the record beyond the limit, so that libcsv never
            // holds more.
            if (collector.recordBytes + piece.size() > kLongestRecord) {
                stopped = true;
                break;
            }
            collector.feedingLine = line;
            const auto size = static_cast<std::size_t>(piece.size());
            if (csv_parse(parser.get(), piece.data(), size, onField, onRecordEnd, &collector) != size)
                throw StoreError(
                    QStringLiteral("CSV dosyası okunamadı: %1").arg(parserFailure(csv_error(parser.get()))));
            collector.recordBytes = collector.recordStart > line ? 0 : collector.recordBytes + piece.size();
            atLineStart = endsLine;
            lastEndedLine = endsLine;
            if (endsLine)
                ++line;
            deliver();
        }
        CsvBreak kind = CsvBreak::TooLong;
        if (!stopped) {
            // A last line without its line end: given one, so that an open quote shows.
            if (!lastEndedLine) {
                csv_parse(parser.get(), "\n", 1, onField, onRecordEnd, &collector);
                if (!collector.ready.empty())
                    collector.ready.back().unended = true;
                lastEndedLine = true;
                ++line;
            }
            if (collector.recordStart >= line) {
                csv_fini(parser.get(), onField, onRecordEnd, &collector);
                break;
            }
            kind = CsvBreak::UnclosedQuote;
        }
        if (!broken(kind))
            break;
        lines.seek(collector.recordStartOffset);
        lines.skipLine();
        line = collector.recordStart + 1;
        atLineStart = true;
        lastEndedLine = true;
        collector.restart(line);
        collector.recordStartOffset = lines.offset();
        deliver();
    }
    deliver();
    return file;
}

} // namespace vezal
