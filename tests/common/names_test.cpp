#include "common/Names.h"

#include <gtest/gtest.h>

namespace vezal {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(Names, SortsInTurkishAlphabeticalOrderWithoutRegardToCase) {
    QStringList names = {u"şanlıurfa"_s, u"Izmir"_s, u"çorum"_s,  u"İstanbul"_s,  u"Giresun"_s,
                         u"ığdır"_s,     u"Hatay"_s, u"Ğ"_s,      u"zonguldak"_s, u"Çankırı"_s,
                         u"Samsun"_s,    u"adana"_s, u"Ordu"_s,   u"Ödemiş"_s,    u"Uşak"_s,
                         u"Ünye"_s,      u"Bursa"_s, u"Denizli"_s};
    sortNoCase(names);
    const QStringList expected = {u"adana"_s,    u"Bursa"_s, u"Çankırı"_s,  u"çorum"_s,  u"Denizli"_s,
                                  u"Giresun"_s,  u"Ğ"_s,     u"Hatay"_s,    u"ığdır"_s,  u"Izmir"_s,
                                  u"İstanbul"_s, u"Ordu"_s,  u"Ödemiş"_s,   u"Samsun"_s, u"şanlıurfa"_s,
                                  u"Uşak"_s,     u"Ünye"_s,  u"zonguldak"_s};
    EXPECT_EQ(names, expected);
}

TEST(Names, CaseRulesAreTurkish) {
    const struct {
        const char16_t* a;
        const char16_t* b;
        bool equal;
    } cases[] = {
        {u"istanbul", u"İSTANBUL", true}, {u"ırmak", u"IRMAK", true}, {u"istanbul", u"ISTANBUL", false},
        {u"ırmak", u"İRMAK", false},      {u"Şişli", u"ŞİŞLİ", true}, {u"Lig", u"Lig ", false},
        {u"Ağrı", u"AĞRI", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.a).toStdString() + " / " + QString::fromUtf16(c.b).toStdString());
        EXPECT_EQ(equalNoCase(QString::fromUtf16(c.a), QString::fromUtf16(c.b)), c.equal);
    }
    EXPECT_EQ(upperTurkish(u"istanbul ırmak çiğ şiş"_s), u"İSTANBUL IRMAK ÇİĞ ŞİŞ"_s);
}

TEST(Names, CutKeepsTwentyCharacters) {
    EXPECT_EQ(cutName(u"Gençlerbirliği Spor Kulübü"_s), u"Gençlerbirliği Spor "_s);
    EXPECT_EQ(cutName(u"Kısa"_s), u"Kısa"_s);
    EXPECT_EQ(cutName(QString(20, u'x')).size(), 20);
    // A character outside the basic plane is never cut in half.
    const QString tail = QString(19, u'a') + u"😀b"_s;
    EXPECT_EQ(cutName(tail), QString(19, u'a'));
}

// A typed or file name finds the program's spelling, cut as the table keeps it.
TEST(Names, SpellingInAListIgnoresCaseAndLooksAtTheStoredTwentyCharacters) {
    const QStringList teams = {u"Man City"_s, u"Arsenal"_s, u"İstanbulspor"_s, u"Gençlerbirliği Spor "_s};
    const struct {
        const char16_t* typed;
        const char16_t* found; // nullptr: none
    } cases[] = {
        {u"ARSENAL", u"Arsenal"},
        {u"man city", u"Man City"},
        {u"İSTANBULSPOR", u"İstanbulspor"},
        {u"ISTANBULSPOR", nullptr}, // dotless I is not i in Turkish
        {u"Gençlerbirliği Spor Kulübü", u"Gençlerbirliği Spor "},
        {u"Arsenal FC", nullptr},
        {u"", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.typed).toStdString());
        const std::optional<QString> found = spellingIn(teams, QString::fromUtf16(c.typed));
        EXPECT_EQ(found, c.found ? std::optional(QString::fromUtf16(c.found)) : std::nullopt);
    }
}

TEST(Names, CodePage1254) {
    EXPECT_TRUE(fitsCodePage1254(u"İı Şş Ğğ Çç Öö Üü € ‰"_s));
    EXPECT_TRUE(fitsCodePage1254(QString()));
    EXPECT_FALSE(fitsCodePage1254(u"Łódź"_s));
    EXPECT_FALSE(fitsCodePage1254(u"Ελλάδα"_s));
    EXPECT_FALSE(fitsCodePage1254(u"a😀"_s));
}

TEST(Names, PercentagesAreWrittenTheTurkishWay) {
    const struct {
        double percent;
        const char16_t* shown;
    } cases[] = {
        {60.94, u"%60,9"}, {-12.44, u"-%12,4"}, {100, u"%100,0"},
        {0, u"%0,0"},      {-0.04, u"%0,0"}, // rounds to zero: no sign
        {-0.06, u"-%0,1"}, {7.25, u"%7,3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.percent);
        EXPECT_EQ(showPercent(c.percent), QString::fromUtf16(c.shown));
    }
}

TEST(Names, ReadsNumbersTheTurkishWay) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"7,5", 7.5}, {"7", 7}, {",", 0}, {"", 0}, {"abc", 0}, {"0,25", 0.25}, {"1.000", 0}, {"7.5", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readNumber(QString::fromLatin1(c.text)), c.value);
    }
    EXPECT_EQ(showDate(QDate(2008, 1, 2)), u"02.01.2008"_s);
}

} // namespace
} // namespace vezal
