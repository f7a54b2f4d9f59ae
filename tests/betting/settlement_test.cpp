// Each market's settlement on a played score, and what a settled bet pays, against a table worked out
// by hand.
#include "betting/Settlement.h"

#include "betting/BettingMessages.h"

#include <gtest/gtest.h>

namespace vezal {
namespace {

using model::Resolution;
using model::Score;
constexpr Resolution W = Resolution::Won, HW = Resolution::HalfWon, P = Resolution::Push,
                     HL = Resolution::HalfLost, L = Resolution::Lost;

Resolution settled(const char* code, Score fullTime, std::optional<Score> halfTime = std::nullopt) {
    const std::optional<model::MarketOutcome> outcome = model::outcomeFromCode(QString::fromLatin1(code));
    EXPECT_TRUE(outcome) << code;
    const Settlement s = settle(*outcome, fullTime, halfTime);
    EXPECT_TRUE(s.resolution) << code;
    return s.resolution.value_or(L);
}

// The home margin plus the line: above 0 won, 0 stake back, below lost; a quarter line is half the stake
// on each neighbour (-0.25: 0 and -0.5; -0.75: -0.5 and -1).
//            0-0                       1-0                     2-0     0-1
// -0.25   0: push, -0.5: lost = HL   +0.75 won                won     lost
// -0.5    -0.5 lost                  +0.5 won                 won     lost
// -0.75   -0.75 lost                 -0.5: won, -1: push = HW won     lost
// -1      -1 lost                    0 push                   won     lost
// The away side's lines read the same on the mirrored scores 0-0, 0-1, 0-2, 1-0.
TEST(Settlement, AsianLinesByHand) {
    struct Case {
        const char* line;
        Resolution onScores[4]; // 0-0, 1-0, 2-0, 0-1
    };
    const Case cases[] = {
        {"-0.25", {HL, W, W, L}},
        {"-0.5", {L, W, W, L}},
        {"-0.75", {L, HW, W, L}},
        {"-1", {L, P, W, L}},
        // The underdog's side of the same lines: +0.25 on 0-0 is half won (0: push, +0.5: won).
        {"+0.25", {HW, W, W, L}},
        {"+0.75", {W, W, W, HL}}, // 0-1: +0.5 lost, +1 push
        {"+1", {W, W, W, P}},
        {"+0", {P, W, W, L}},
    };
    const Score home[] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}};
    const Score away[] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}};
    for (const Case& c : cases)
        for (int i = 0; i < 4; ++i) {
            const QByteArray ah1 = "AH1" + QByteArray(c.line), ah2 = "AH2" + QByteArray(c.line);
            EXPECT_EQ(settled(ah1.constData(), home[i]), c.onScores[i]) << ah1.constData() << ' ' << i;
            EXPECT_EQ(settled(ah2.constData(), away[i]), c.onScores[i]) << ah2.constData() << ' ' << i;
        }
}

TEST(Settlement, OtherMarketsByHand) {
    struct Case {
        const char* code;
        Score fullTime;
        Resolution expected;
    };
    const Case cases[] = {
        {"1", {2, 1}, W},       {"0", {2, 1}, L},       {"0", {1, 1}, W},       {"2", {0, 3}, W},
        {"1X", {1, 1}, W},      {"X2", {1, 0}, L},      {"12", {0, 0}, L},      {"DNB1", {1, 1}, P},
        {"DNB2", {0, 0}, P},    {"DNB1", {0, 1}, L},    {"DNB2", {0, 1}, W},    {"ALT0.5", {0, 0}, W},
        {"UST1.5", {1, 1}, W},  {"UST1.5", {1, 0}, L},  {"ALT", {2, 0}, W},     {"UST", {2, 1}, W},
        {"ALT4.5", {3, 2}, L},  {"KGVAR", {1, 1}, W},   {"KGVAR", {3, 0}, L},   {"KGYOK", {3, 0}, W},
        {"TG01", {1, 0}, W},    {"TG23", {3, 0}, W},    {"TG45", {3, 2}, W},    {"TG45", {4, 2}, L},
        {"TG6", {4, 2}, W},     {"SK2-1", {2, 1}, W},   {"SK2-1", {1, 2}, L},   {"SKDIGER", {6, 0}, W},
        {"SKDIGER", {5, 5}, L}, {"H1(0:1)", {2, 0}, W}, {"H0(0:1)", {1, 0}, W}, {"H2(0:1)", {1, 1}, W},
        {"H1(0:1)", {1, 0}, L}, {"H1(2:0)", {0, 1}, W}, {"H0(0:2)", {2, 0}, W}, {"H2(1:0)", {0, 1}, L},
    };
    for (const Case& c : cases)
        EXPECT_EQ(settled(c.code, c.fullTime), c.expected)
            << c.code << ' ' << c.fullTime.home << '-' << c.fullTime.away;
}

TEST(Settlement, HalfTimeFullTimeWaitsForTheHalfTimeScore) {
    const auto outcome = *model::outcomeFromCode(QStringLiteral("IYMS10"));
    const Settlement waiting = settle(outcome, {1, 1});
    EXPECT_FALSE(waiting.resolution);
    EXPECT_EQ(waiting.reason, QString::fromUtf16(messages::kNoHalfTimeScore));
    EXPECT_EQ(settled("IYMS10", {1, 1}, Score{1, 0}), W);
    EXPECT_EQ(settled("IYMS11", {1, 1}, Score{1, 0}), L);
    EXPECT_EQ(settled("IYMS21", {2, 1}, Score{0, 1}), W);
    EXPECT_EQ(settled("IYMS00", {0, 0}, Score{0, 0}), W);
    EXPECT_EQ(settled("IYMS02", {1, 2}, Score{1, 1}), W);
    // Markets that need no half-time score settle without it, and give no reason.
    const Settlement result = settle(*model::outcomeFromCode(QStringLiteral("1")), {1, 0});
    EXPECT_EQ(result.resolution, W);
    EXPECT_TRUE(result.reason.isEmpty());
}

// At 1.90: won 1.90, half won (1 + 1.90) / 2 = 1.45, push 1, half lost 0.5, lost 0. A coupon of 10 at
// 2.00 won, 1.90 half won and 3.00 pushed pays 10 * 2 * 1.45 * 1 = 29; with a half loss instead of the
// push 10 * 2 * 1.45 * 0.5 = 14.5; with a loss, nothing.
TEST(Settlement, WhatABetPays) {
    const std::pair<Resolution, double> units[] = {{W, 1.9}, {HW, 1.45}, {P, 1}, {HL, 0.5}, {L, 0}};
    for (const auto& [resolution, expected] : units)
        EXPECT_DOUBLE_EQ(unitReturn(resolution, 1.9), expected) << static_cast<int>(resolution);
    const SettledSelection pushed[] = {{W, 2.0}, {HW, 1.9}, {P, 3.0}};
    const SettledSelection halfLost[] = {{W, 2.0}, {HW, 1.9}, {HL, 3.0}};
    const SettledSelection lost[] = {{W, 2.0}, {L, 1.9}, {P, 3.0}};
    EXPECT_DOUBLE_EQ(couponReturn(10, pushed), 29);
    EXPECT_DOUBLE_EQ(couponReturn(10, halfLost), 14.5);
    EXPECT_DOUBLE_EQ(couponReturn(10, lost), 0);
    EXPECT_DOUBLE_EQ(couponReturn(10, {}), 10);
}

} // namespace
} // namespace vezal
