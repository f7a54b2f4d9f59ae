#include "windows/PrintLayout.h"

#include <gtest/gtest.h>

namespace vezal {
namespace {

// A monospaced font of 10 units a character and 20 a line: tab stops every 80 units.
PrintFontMetrics monospaced() {
    return {20, 10, [](const QString& text) {
                return 10.0 * text.size();
            }};
}

// 200 wide, 100 high: four lines a page, since a fifth would leave less than two line heights below it.
const QSizeF kPage(200, 100);

QStringList repeated(int count, const QString& line) {
    return QStringList(count, line);
}

TEST(PrintLayout, PageBreaksWhenLessThanTwoLineHeightsRemain) {
    struct Case {
        int lines;
        std::vector<std::size_t> runsPerPage;
    };
    for (const Case& c : {Case{1, {1}}, Case{4, {4}}, Case{5, {4, 1}}, Case{8, {4, 4}}, Case{9, {4, 4, 1}}}) {
        const auto pages = layoutPages(repeated(c.lines, QStringLiteral("satır")), monospaced(), kPage);
        std::vector<std::size_t> runs;
        for (const auto& page : pages)
            runs.push_back(page.size());
        EXPECT_EQ(runs, c.runsPerPage) << c.lines << " lines";
    }
}

TEST(PrintLayout, EveryPageStartsAtTheTopLeft) {
    const auto pages = layoutPages(repeated(6, QStringLiteral("x")), monospaced(), kPage);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0][3], (PrintRun{0, 60, QStringLiteral("x")}));
    EXPECT_EQ(pages[1][0], (PrintRun{0, 0, QStringLiteral("x")}));
    EXPECT_EQ(pages[1][1], (PrintRun{0, 20, QStringLiteral("x")}));
}

TEST(PrintLayout, BlankLinesTakeTheirPlaceWithoutText) {
    const auto pages =
        layoutPages({QStringLiteral("a"), QString(), QString(), QStringLiteral("b")}, monospaced(), kPage);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], (PrintedPage{{0, 0, QStringLiteral("a")}, {0, 60, QStringLiteral("b")}}));
}

TEST(PrintLayout, NoLinesNoPages) {
    EXPECT_TRUE(layoutPages({}, monospaced(), kPage).empty());
}

TEST(PrintLayout, TabsMoveToTheNextStopOrToANewLine) {
    struct Case {
        QString line;
        PrintedPage expected;
    };
    const Case cases[] = {
        {QStringLiteral("ab\tc"), {{0, 0, QStringLiteral("ab")}, {80, 0, QStringLiteral("c")}}},
        {QStringLiteral("\tc"), {{80, 0, QStringLiteral("c")}}},
        // A piece ending exactly on a stop goes on to the following one.
        {QStringLiteral("abcdefgh\tc"), {{0, 0, QStringLiteral("abcdefgh")}, {160, 0, QStringLiteral("c")}}},
        {QStringLiteral("a\t\tc"), {{0, 0, QStringLiteral("a")}, {160, 0, QStringLiteral("c")}}},
        // The stop after 170 lies at 240, beyond the right edge at 200.
        {QStringLiteral("abcdefghijklmnopq\tc"),
         {{0, 0, QStringLiteral("abcdefghijklmnopq")}, {0, 20, QStringLiteral("c")}}},
    };
    for (const Case& c : cases) {
        const auto pages = layoutPages({c.line}, monospaced(), kPage);
        ASSERT_EQ(pages.size(), 1u) << c.line.toStdString();
        EXPECT_EQ(pages[0], c.expected) << c.line.toStdString();
    }
}

TEST(PrintLayout, OverLongLinesContinueOnTheNextLine) {
    struct Case {
        QString line;
        QStringList printed; // one run a printed line
    };
    const Case cases[] = {
        {QString(25, u'a'), {QString(20, u'a'), QString(5, u'a')}},
        {QStringLiteral("aaaa bbbb cccc dddddd eeee"),
         {QStringLiteral("aaaa bbbb cccc"), QStringLiteral("dddddd eeee")}},
        // The blank just past the edge is a break too, and is not printed.
        {QStringLiteral("aaaa bbbb cccc ddddd eeee"),
         {QStringLiteral("aaaa bbbb cccc ddddd"), QStringLiteral("eeee")}},
        {QStringLiteral("kısa ") + QString(30, u'z'),
         {QStringLiteral("kısa"), QString(20, u'z'), QString(10, u'z')}},
    };
    for (const Case& c : cases) {
        const auto pages = layoutPages({c.line}, monospaced(), kPage);
        ASSERT_EQ(pages.size(), 1u) << c.line.toStdString();
        ASSERT_EQ(pages[0].size(), std::size_t(c.printed.size())) << c.line.toStdString();
        for (qsizetype i = 0; i < c.printed.size(); ++i)
            EXPECT_EQ(pages[0][i], (PrintRun{0, 20.0 * i, c.printed[i]})) << c.line.toStdString();
    }
}

TEST(PrintLayout, AWordThatDoesNotFitAfterATabStartsTheNextLine) {
    const auto pages = layoutPages({QStringLiteral("ab\t") + QString(13, u'c')}, monospaced(), kPage);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], (PrintedPage{{0, 0, QStringLiteral("ab")}, {0, 20, QString(13, u'c')}}));
}

TEST(PrintLayout, WrappedLinesCountTowardsThePage) {
    // Three lines of which the second takes three printed lines: the third line opens page two.
    const auto pages =
        layoutPages({QStringLiteral("a"), QString(50, u'b'), QStringLiteral("c")}, monospaced(), kPage);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1], (PrintedPage{{0, 0, QStringLiteral("c")}}));
}

TEST(PrintLayout, ProportionalWidthsAreMeasuredNotCounted) {
    // Narrow letters: 'i' is 2 units, everything else 10.
    PrintFontMetrics metrics = monospaced();
    metrics.width = [](const QString& text) {
        qreal width = 0;
        for (const QChar ch : text)
            width += ch == u'i' ? 2 : 10;
        return width;
    };
    const auto pages = layoutPages({QString(100, u'i') + QStringLiteral("\tx")}, metrics, kPage);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], (PrintedPage{{0, 0, QString(100, u'i')}, {0, 20, QStringLiteral("x")}}));
}

TEST(PrintLayout, APageNarrowerThanACharacterStillMakesProgress) {
    const auto pages = layoutPages({QStringLiteral("abc")}, monospaced(), QSizeF(5, 1000));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0],
              (PrintedPage{
                  {0, 0, QStringLiteral("a")}, {0, 20, QStringLiteral("b")}, {0, 40, QStringLiteral("c")}}));
}

TEST(PrintLayout, SurrogatePairsAreNotSplit) {
    const QString emoji = QString::fromUtf16(u"\U0001F600");
    const auto pages = layoutPages({emoji}, monospaced(), QSizeF(15, 1000));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], (PrintedPage{{0, 0, emoji}}));
}

} // namespace
} // namespace vezal
