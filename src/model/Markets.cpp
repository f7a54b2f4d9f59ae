#include "model/Markets.h"

#include "common/AsianLine.h"

#include <QRegularExpression>
#include <cmath>

namespace vezal::model {

namespace {

// The correct scores listed one by one; the rest are "other".
constexpr int kMostListedGoals = 5;
constexpr std::pair<int, int> kHandicapStarts[] = {{0, 1}, {1, 0}, {0, 2}, {2, 0}};
constexpr Result kSigns[] = {Result::HomeWin, Result::Draw, Result::AwayWin};

template <class... F> struct Overloaded : F... { using F::operator()...; };

Result signOf(int home, int away) {
    return home > away ? Result::HomeWin : home == away ? Result::Draw : Result::AwayWin;
}

QChar signChar(Result sign) {
    return sign == Result::HomeWin ? u'1' : sign == Result::Draw ? u'0' : u'2';
}

std::optional<Result> signFromChar(QChar c) {
    if (c == u'1')
        return Result::HomeWin;
    if (c == u'0')
        return Result::Draw;
    if (c == u'2')
        return Result::AwayWin;
    return std::nullopt;
}

Resolution wonIf(bool won) {
    return won ? Resolution::Won : Resolution::Lost;
}

// A whole or half line: its margin in quarter goals above, at or below zero.
Resolution onLine(int quarterMargin) {
    return quarterMargin > 0 ? Resolution::Won : quarterMargin == 0 ? Resolution::Push : Resolution::Lost;
}

// Half the stake on each neighbouring line; being half a goal apart, they never split into a win and a
// loss.
Resolution onQuarterLine(int quarterMargin) {
    const Resolution lower = onLine(quarterMargin - 1);
    const Resolution upper = onLine(quarterMargin + 1);
    if (lower == upper)
        return lower;
    return lower == Resolution::Won || upper == Resolution::Won ? Resolution::HalfWon : Resolution::HalfLost;
}

QString goalLineText(int halfGoals) {
    return QString::number(halfGoals / 2.0, 'f', 1);
}

// What bettors type on a Turkish keyboard folded to the codes' letters: ÜST, İYMS, SKDİĞER.
QString folded(const QString& code) {
    QString text = code.toUpper();
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    text.replace(QChar(0x130), QLatin1Char('I')); // İ
    text.replace(QChar(0x11E), QLatin1Char('G')); // Ğ
    text.replace(QChar(0xDC), QLatin1Char('U'));  // Ü
    return text;
}

std::optional<MarketOutcome> asianFromCode(const QRegularExpressionMatch& m) {
    const std::optional<int> q = asianQuarters(m.captured(3));
    if (!q)
        return std::nullopt;
    return AsianHandicap{m.captured(1) == QLatin1String("1") ? Result::HomeWin : Result::AwayWin,
                         m.captured(2) == QLatin1String("-") ? -*q : *q};
}

} // namespace

Market marketOf(const MarketOutcome& outcome) {
    return static_cast<Market>(outcome.index());
}

QString marketName(Market market) {
    switch (market) {
    case Market::Result:
        return QStringLiteral("Maç sonucu");
    case Market::DoubleChance:
        return QStringLiteral("Çifte şans");
    case Market::DrawNoBet:
        return QStringLiteral("Beraberlikte iade");
    case Market::UnderOver:
        return QStringLiteral("Alt/üst");
    case Market::BothTeamsScore:
        return QStringLiteral("Karşılıklı gol");
    case Market::GoalBand:
        return QStringLiteral("Toplam gol");
    case Market::CorrectScore:
        return QStringLiteral("Skor");
    case Market::Handicap:
        return QStringLiteral("Handikap");
    case Market::HalfTimeFullTime:
        return QStringLiteral("İY/MS");
    case Market::AsianHandicap:
        return QStringLiteral("Asya handikabı");
    }
    return {};
}

QString outcomeCode(const MarketOutcome& outcome) {
    return std::visit(
        Overloaded{
            [](const MatchResult& o) { return QString(signChar(o.sign)); },
            [](const DoubleChance& o) {
                return QString::fromLatin1(o.leftOut == Result::AwayWin ? "1X"
                                           : o.leftOut == Result::Draw  ? "12"
                                                                        : "X2");
            },
            [](const DrawNoBet& o) { return QStringLiteral("DNB") + signChar(o.side); },
            [](const GoalLine& o) {
                const QString side = o.over ? QStringLiteral("UST") : QStringLiteral("ALT");
                return o.halfGoals == 5 ? side : side + goalLineText(o.halfGoals);
            },
            [](const BothTeamsScore& o) { return o.yes ? QStringLiteral("KGVAR") : QStringLiteral("KGYOK"); },
            [](const GoalBand& o) {
                return QStringLiteral("TG") + QString::number(o.fewest) +
                       (o.most ? QString::number(*o.most) : QString());
            },
            [](const CorrectScore& o) {
                return o.homeGoals ? QStringLiteral("SK%1-%2").arg(*o.homeGoals).arg(o.awayGoals)
                                   : QStringLiteral("SKDIGER");
            },
            [](const Handicap& o) {
                return QStringLiteral("H%1(%2:%3)").arg(signChar(o.sign)).arg(o.homeStart).arg(o.awayStart);
            },
            [](const HalfTimeFullTime& o) {
                return QStringLiteral("IYMS") + signChar(o.halfTime) + signChar(o.fullTime);
            },
            [](const AsianHandicap& o) {
                return asianHandicapCode(o.side != Result::AwayWin, o.quarterGoals);
            },
        },
        outcome);
}

std::optional<MarketOutcome> outcomeFromCode(const QString& code) {
    const QString text = folded(code);
    if (text.size() == 1 && signFromChar(text.at(0)))
        return MatchResult{*signFromChar(text.at(0))};
    struct Fixed {
        const char* code;
        MarketOutcome outcome;
    };
    static const Fixed fixed[] = {
        {"1X", DoubleChance{Result::AwayWin}},
        {"12", DoubleChance{Result::Draw}},
        {"X2", DoubleChance{Result::HomeWin}},
        {"DNB1", DrawNoBet{Result::HomeWin}},
        {"DNB2", DrawNoBet{Result::AwayWin}},
        {"ALT", GoalLine{5, false}},
        {"UST", GoalLine{5, true}},
        {"KGVAR", BothTeamsScore{true}},
        {"KGYOK", BothTeamsScore{false}},
        {"TG01", GoalBand{0, 1}},
        {"TG23", GoalBand{2, 3}},
        {"TG45", GoalBand{4, 5}},
        {"TG6", GoalBand{6, std::nullopt}},
        {"SKDIGER", CorrectScore{std::nullopt, 0}},
    };
    for (const Fixed& f : fixed)
        if (text == QLatin1String(f.code))
            return f.outcome;

    static const QRegularExpression goalLine(QStringLiteral("^(ALT|UST)([0-4])\\.5$"));
    static const QRegularExpression score(QStringLiteral("^SK(\\d)-(\\d)$"));
    static const QRegularExpression handicap(QStringLiteral("^H([102])\\((\\d):(\\d)\\)$"));
    static const QRegularExpression halfFull(QStringLiteral("^IYMS([102])([102])$"));
    static const QRegularExpression asian(QStringLiteral("^AH([12])([+-]?)(\\d+(?:\\.\\d+)?)$"));
    if (const auto m = goalLine.match(text); m.hasMatch())
        return GoalLine{2 * m.captured(2).toInt() + 1, m.captured(1) == QLatin1String("UST")};
    if (const auto m = score.match(text); m.hasMatch()) {
        const int home = m.captured(1).toInt(), away = m.captured(2).toInt();
        if (home <= kMostListedGoals && away <= kMostListedGoals)
            return CorrectScore{home, away};
        return std::nullopt;
    }
    if (const auto m = handicap.match(text); m.hasMatch()) {
        const std::pair<int, int> start{m.captured(2).toInt(), m.captured(3).toInt()};
        for (const auto& listed : kHandicapStarts)
            if (listed == start)
                return Handicap{start.first, start.second, *signFromChar(m.captured(1).at(0))};
        return std::nullopt;
    }
    if (const auto m = halfFull.match(text); m.hasMatch())
        return HalfTimeFullTime{*signFromChar(m.captured(1).at(0)), *signFromChar(m.captured(2).at(0))};
    if (const auto m = asian.match(text); m.hasMatch())
        return asianFromCode(m);
    return std::nullopt;
}

std::vector<MarketOutcome> marketOutcomes(Market market) {
    std::vector<MarketOutcome> outcomes;
    switch (market) {
    case Market::Result:
        for (const Result sign : kSigns)
            outcomes.push_back(MatchResult{sign});
        break;
    case Market::DoubleChance:
        for (const Result leftOut : {Result::AwayWin, Result::Draw, Result::HomeWin})
            outcomes.push_back(DoubleChance{leftOut});
        break;
    case Market::DrawNoBet:
        outcomes = {DrawNoBet{Result::HomeWin}, DrawNoBet{Result::AwayWin}};
        break;
    case Market::UnderOver:
        for (int halfGoals = 1; halfGoals <= 9; halfGoals += 2)
            for (const bool over : {false, true})
                outcomes.push_back(GoalLine{halfGoals, over});
        break;
    case Market::BothTeamsScore:
        outcomes = {BothTeamsScore{true}, BothTeamsScore{false}};
        break;
    case Market::GoalBand:
        outcomes = {GoalBand{0, 1}, GoalBand{2, 3}, GoalBand{4, 5}, GoalBand{6, std::nullopt}};
        break;
    case Market::CorrectScore:
        for (int home = 0; home <= kMostListedGoals; ++home)
            for (int away = 0; away <= kMostListedGoals; ++away)
                outcomes.push_back(CorrectScore{home, away});
        outcomes.push_back(CorrectScore{std::nullopt, 0});
        break;
    case Market::Handicap:
        for (const auto& [home, away] : kHandicapStarts)
            for (const Result sign : kSigns)
                outcomes.push_back(Handicap{home, away, sign});
        break;
    case Market::HalfTimeFullTime:
        for (const Result half : kSigns)
            for (const Result full : kSigns)
                outcomes.push_back(HalfTimeFullTime{half, full});
        break;
    case Market::AsianHandicap:
        for (int q = -kMostAsianQuarters; q <= kMostAsianQuarters; ++q) {
            outcomes.push_back(AsianHandicap{Result::HomeWin, q});
            outcomes.push_back(AsianHandicap{Result::AwayWin, -q});
        }
        break;
    }
    return outcomes;
}

std::vector<MarketOutcome> allOutcomes() {
    std::vector<MarketOutcome> outcomes;
    for (const Market market : kMarkets) {
        const std::vector<MarketOutcome> some = marketOutcomes(market);
        outcomes.insert(outcomes.end(), some.begin(), some.end());
    }
    return outcomes;
}

std::optional<Resolution> resolve(const MarketOutcome& outcome, Score fullTime,
                                  std::optional<Score> halfTime) {
    const int x = fullTime.home, y = fullTime.away;
    const Result sign = signOf(x, y);
    return std::visit(
        Overloaded{
            [&](const MatchResult& o) -> std::optional<Resolution> { return wonIf(sign == o.sign); },
            [&](const DoubleChance& o) -> std::optional<Resolution> { return wonIf(sign != o.leftOut); },
            [&](const DrawNoBet& o) -> std::optional<Resolution> {
                return sign == Result::Draw ? Resolution::Push : wonIf(sign == o.side);
            },
            [&](const GoalLine& o) -> std::optional<Resolution> {
                return wonIf((2 * (x + y) > o.halfGoals) == o.over);
            },
            [&](const BothTeamsScore& o) -> std::optional<Resolution> {
                return wonIf((x > 0 && y > 0) == o.yes);
            },
            [&](const GoalBand& o) -> std::optional<Resolution> {
                return wonIf(x + y >= o.fewest && (!o.most || x + y <= *o.most));
            },
            [&](const CorrectScore& o) -> std::optional<Resolution> {
                if (o.homeGoals)
                    return wonIf(x == *o.homeGoals && y == o.awayGoals);
                return wonIf(x > kMostListedGoals || y > kMostListedGoals);
            },
            [&](const Handicap& o) -> std::optional<Resolution> {
                return wonIf(signOf(x + o.homeStart, y + o.awayStart) == o.sign);
            },
            [&](const HalfTimeFullTime& o) -> std::optional<Resolution> {
                if (!halfTime)
                    return std::nullopt;
                return wonIf(signOf(halfTime->home, halfTime->away) == o.halfTime && sign == o.fullTime);
            },
            [&](const AsianHandicap& o) -> std::optional<Resolution> {
                const int margin = o.side == Result::AwayWin ? y - x : x - y;
                const int quarterMargin = 4 * margin + o.quarterGoals;
                return o.quarterGoals % 2 != 0 ? onQuarterLine(quarterMargin) : onLine(quarterMargin);
            },
        },
        outcome);
}

} // namespace vezal::model
