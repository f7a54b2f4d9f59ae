#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace vezal {

// What the layout needs to know of the printing font, in the printer's own units.
struct PrintFontMetrics {
    qreal lineHeight = 0;
    qreal averageCharWidth = 0;
    std::function<qreal(const QString&)> width; // advance of a piece of text without tabs
};

// One piece of text placed on a page; (x, y) is the top left of its line, relative to the printable area.
struct PrintRun {
    qreal x = 0;
    qreal y = 0;
    QString text;

    friend bool operator==(const PrintRun&, const PrintRun&) = default;
};

using PrintedPage = std::vector<PrintRun>;

// Lays the lines out as a text printer would: each line starts a printed line at the left edge; a tab
// moves to the next stop (every eight average character widths) or, past the right edge, to a new
// printed line; a line too wide for the page continues on the next printed line, broken after a blank
// where one fits; a new page begins when less than two line heights remain below the position.
std::vector<PrintedPage> layoutPages(const QStringList& lines, const PrintFontMetrics& metrics,
                                     const QSizeF& printable);

// The same, below a header: every page begins with the header line at the top left and a blank line,
// and the text gets the rest of the page. An empty header prints no header and keeps the whole page.
std::vector<PrintedPage> layoutPagesUnder(const QString& header, const QStringList& lines,
                                          const PrintFontMetrics& metrics, const QSizeF& printable);

} // namespace vezal
