#include "windows/PrintLayout.h"

#include <algorithm>
#include <cmath>

namespace vezal {

namespace {

constexpr int kCharsPerTabStop = 8;
constexpr int kLinesKeptFree = 2;

class PageLayout {
public:
    PageLayout(const PrintFontMetrics& metrics, const QSizeF& printable)
        : metrics_(metrics), printable_(printable),
          tabWidth_(std::max<qreal>(kCharsPerTabStop * metrics.averageCharWidth, 1)) {}

    void addLine(const QString& line) {
        if (pages_.empty())
            pages_.emplace_back();
        else
            newLine();
        const QStringList pieces = line.split(u'\t');
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0)
                tab();
            place(pieces[i]);
        }
    }

    std::vector<PrintedPage> takePages() { return std::move(pages_); }

private:
    // Rows are counted, not summed, so that a long page does not drift by rounding.
    qreal y() const { return row_ * metrics_.lineHeight; }

    void newLine() {
        ++row_;
        x_ = 0;
        if (printable_.height() - y() < kLinesKeptFree * metrics_.lineHeight) {
            pages_.emplace_back();
            row_ = 0;
        }
    }

    void tab() {
        const qreal stop = (std::floor(x_ / tabWidth_) + 1) * tabWidth_;
        if (stop > printable_.width())
            newLine();
        else
            x_ = stop;
    }

    void place(QString text) {
        while (!text.isEmpty()) {
            const qsizetype fitting = fittingLength(text, printable_.width() - x_);
            if (fitting == text.size()) {
                put(text);
                x_ += metrics_.width(text);
                return;
            }
            // Break at the last blank that the page can reach; the blank itself is not printed.
            const qsizetype blank = text.lastIndexOf(u' ', fitting);
            if (blank > 0) {
                put(text.left(blank));
                text.remove(0, blank + 1);
                newLine();
                continue;
            }
            // A word that does not fit after a tab gets a line of its own before it is broken.
            if (x_ > 0) {
                newLine();
                continue;
            }
            qsizetype cut = std::max<qsizetype>(fitting, 1);
            if (cut < text.size() && text.at(cut).isLowSurrogate())
                cut += cut > 1 ? -1 : 1;
            put(text.left(cut));
            text.remove(0, cut);
            newLine();
        }
    }

    qsizetype fittingLength(const QString& text, qreal room) const {
        if (metrics_.width(text) <= room)
            return text.size();
        qsizetype fits = 0;
        qsizetype tooLong = text.size();
        while (tooLong - fits > 1) {
            const qsizetype middle = fits + (tooLong - fits) / 2;
            if (metrics_.width(text.left(middle)) <= room)
                fits = middle;
            else
                tooLong = middle;
        }
        return fits;
    }

    void put(const QString& text) { pages_.back().push_back({x_, y(), text}); }

    const PrintFontMetrics& metrics_;
    QSizeF printable_;
    qreal tabWidth_;
    std::vector<PrintedPage> pages_;
    int row_ = 0;
    qreal x_ = 0;
};

} // namespace

std::vector<PrintedPage> layoutPages(const QStringList& lines, const PrintFontMetrics& metrics,
                                     const QSizeF& printable) {
    PageLayout layout(metrics, printable);
    for (const QString& line : lines)
        layout.addLine(line);
    return layout.takePages();
}

std::vector<PrintedPage> layoutPagesUnder(const QString& header, const QStringList& lines,
                                          const PrintFontMetrics& metrics, const QSizeF& printable) {
    if (header.isEmpty())
        return layoutPages(lines, metrics, printable);
    const qreal headerHeight = 2 * metrics.lineHeight;
    std::vector<PrintedPage> pages =
        layoutPages(lines, metrics, QSizeF(printable.width(), printable.height() - headerHeight));
    for (PrintedPage& page : pages) {
        for (PrintRun& run : page)
            run.y += headerHeight;
        page.insert(page.begin(), PrintRun{0, 0, header});
    }
    return pages;
}

} // namespace vezal
