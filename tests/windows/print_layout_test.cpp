#include "windows/PrintLayout.h"

#include <gtest/gtest.h>

namespace vezal {
namespace {

// 10 units a character, 20 a line, tab stops every 80; a page 200 wide holds four lines in its 100 height,
// since a fifth would leave less than two line heights below it.
const PrintFontMetrics kMonospaced{20, 10, [](const QString& text) {
                                       return 10.0 * text.size();
                                   }};
const QSizeF kPage(200, 100);

TEST(PrintLayout, ANewPageBeginsWhenLessThanTwoLineHeightsRemain) {
    const struct {
        int lines;
        std::vector<std::size_t> runsPerPage;
    } cases[] = {{0, {}}, {4, {4}}, {5, {4, 1}}, {8, {4, 4}}, {9, {4, 4, 1}}};
    for (const auto& c : cases) {
        const auto pages = layoutPages(QStringList(c.lines, QStringLiteral("x")), kMonospaced, kPage);
        std::vector<std::size_t> runs;
        for (const auto& page : pages)
            runs.push_back(page.size());
        EXPECT_EQ(runs, c.runsPerPage) << c.lines << " lines";
        if (pages.size() > 1) {
            EXPECT_EQ(pages[1][0], (PrintRun{0, 0, QStringLiteral("x")}));
        }
    }
}

// The header takes two of the page's four lines: two lines of text a page, each page under its header.
TEST(PrintLayout, EveryPageBeginsWithTheHeaderAndTheTextKeepsBelowIt) {
    const QString header = QStringLiteral("Rapor - Lig - 09.12.2026");
    const auto pages = layoutPagesUnder(header, QStringList(5, QStringLiteral("x")), kMonospaced, kPage);
    ASSERT_EQ(pages.size(), 3u);
    for (const auto& page : pages) {
        EXPECT_EQ(page.front(), (PrintRun{0, 0, header}));
        for (std::size_t i = 1; i < page.size(); ++i)
            EXPECT_EQ(page[i], (PrintRun{0, 40 + 20.0 * double(i - 1), QStringLiteral("x")}));
    }
    EXPECT_EQ(pages.back().size(), 2u);
    EXPECT_EQ(layoutPagesUnder(QString(), {QStringLiteral("x")}, kMonospaced, kPage),
              layoutPages({QStringLiteral("x")}, kMonospaced, kPage));
}

TEST(PrintLayout, TabsStopEveryEightCharacterWidthsAndLongLinesWrap) {
    const auto s = [](const char* text) {
        return QString::fromUtf8(text);
    };
    const struct {
        QStringList lines;
        PrintedPage expected;
    } cases[] = {
        {{s("ab\tc")}, {{0, 0, s("ab")}, {80, 0, s("c")}}},
        // A piece ending on a stop goes on to the following one.
        {{s("abcdefgh\tc")}, {{0, 0, s("abcdefgh")}, {160, 0, s("c")}}},
        // The stop after 170 lies beyond the right edge at 200.
        {{s("abcdefghijklmnopq\tc")}, {{0, 0, s("abcdefghijklmnopq")}, {0, 20, s("c")}}},
        {{QString(25, u'a')}, {{0, 0, QString(20, u'a')}, {0, 20, QString(5, u'a')}}},
        // Broken at the last blank that fits, or just past the edge; the blank is not printed.
        {{s("aaaa bbbb cccc dddddd eeee")}, {{0, 0, s("aaaa bbbb cccc")}, {0, 20, s("dddddd eeee")}}},
        {{s("aaaa bbbb cccc ddddd eeee")}, {{0, 0, s("aaaa bbbb cccc ddddd")}, {0, 20, s("eeee")}}},
        // A word too wide for the rest of the line after a tab gets a line of its own.
        {{s("ab\t") + QString(13, u'c')}, {{0, 0, s("ab")}, {0, 20, QString(13, u'c')}}},
        {{s("a"), QString(), s("b")}, {{0, 0, s("a")}, {0, 40, s("b")}}},
    };
    for (const auto& c : cases) {
        const auto pages = layoutPages(c.lines, kMonospaced, kPage);
        ASSERT_EQ(pages.size(), 1u) << c.lines.join(u'|').toStdString();
        EXPECT_EQ(pages[0], c.expected) << c.lines.join(u'|').toStdString();
    }
}

TEST(PrintLayout, WrappedLinesCountTowardsThePage) {
    const auto pages =
        layoutPages({QStringLiteral("a"), QString(50, u'b'), QStringLiteral("c")}, kMonospaced, kPage);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1], (PrintedPage{{0, 0, QStringLiteral("c")}}));
}

TEST(PrintLayout, APageNarrowerThanACharacterStillPrintsEveryCharacterWhole) {
    const QString face = QString::fromUtf16(u"\U0001F600");
    const auto pages = layoutPages({QStringLiteral("a") + face}, kMonospaced, QSizeF(5, 1000));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], (PrintedPage{{0, 0, QStringLiteral("a")}, {0, 20, face}}));
}

} // namespace
} // namespace vezal
