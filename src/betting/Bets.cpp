#include "betting/Bets.h"

#include "betting/BettingMessages.h"
#include "betting/Settlement.h"

#include <QLocale>
#include <algorithm>
#include <functional>
#include <map>

namespace vezal {

QString statusText(BetStatus status) {
    switch (status) {
    case BetStatus::Open:
        return QString::fromUtf16(messages::kBetOpen);
    case BetStatus::Won:
        return QString::fromUtf16(messages::kBetWon);
    case BetStatus::HalfWon:
        return QString::fromUtf16(messages::kBetHalfWon);
    case BetStatus::Push:
        return QString::fromUtf16(messages::kBetPush);
    case BetStatus::HalfLost:
        return QString::fromUtf16(messages::kBetHalfLost);
    case BetStatus::Lost:
        return QString::fromUtf16(messages::kBetLost);
    case BetStatus::Void:
        break;
    }
    return QString::fromUtf16(messages::kBetVoid);
}

namespace {

BetStatus statusOf(model::Resolution resolution) {
    switch (resolution) {
    case model::Resolution::Won:
        return BetStatus::Won;
    case model::Resolution::HalfWon:
        return BetStatus::HalfWon;
    case model::Resolution::Push:
        return BetStatus::Push;
    case model::Resolution::HalfLost:
        return BetStatus::HalfLost;
    case model::Resolution::Lost:
        break;
    }
    return BetStatus::Lost;
}

} // namespace

std::optional<model::Resolution> SelectionState::resolution() const {
    if (voided || !unknownCode.isEmpty() || !score)
        return std::nullopt;
    return settle(selection.outcome, {score->first, score->second}, halfTime).resolution;
}

BetStatus SelectionState::status() const {
    if (voided)
        return BetStatus::Void;
    const std::optional<model::Resolution> own = resolution();
    return own ? statusOf(*own) : BetStatus::Open;
}

QString SelectionState::openReason() const {
    if (voided)
        return {};
    if (!unknownCode.isEmpty())
        return QString::fromUtf16(messages::kUnknownSelectionCode).arg(unknownCode);
    if (!score)
        return matchGone ? QString::fromUtf16(messages::kMatchGone) : QString();
    return settle(selection.outcome, {score->first, score->second}, halfTime).reason;
}

QString SelectionState::code() const {
    return unknownCode.isEmpty() ? model::outcomeCode(selection.outcome) : unknownCode;
}

namespace {

// What the bet pays per unit staked, its void selections as pushes; none while a selection is open.
std::optional<double> unitPayout(const BetRecord& bet) {
    std::vector<SettledSelection> settled;
    for (const SelectionState& s : bet.selections) {
        if (s.voided)
            continue;
        const std::optional<model::Resolution> resolution = s.resolution();
        if (!resolution)
            return std::nullopt;
        settled.push_back({*resolution, s.selection.odds});
    }
    return couponReturn(1, settled);
}

} // namespace

BetStatus BetRecord::status() const {
    bool open = false, live = false;
    for (const SelectionState& s : selections) {
        const BetStatus status = s.status();
        if (status == BetStatus::Lost)
            return BetStatus::Lost;
        open = open || status == BetStatus::Open;
        live = live || status != BetStatus::Void;
    }
    if (open)
        return BetStatus::Open;
    if (!live)
        return BetStatus::Void;
    if (selections.size() == 1)
        return selections.front().status();
    const double paid = unitPayout(*this).value_or(0);
    if (paid > 1)
        return BetStatus::Won;
    return paid == 1 ? BetStatus::Push : BetStatus::Lost;
}

double BetRecord::odds() const {
    double product = 1;
    for (const SelectionState& s : selections)
        product *= s.selection.odds;
    return product;
}

double BetRecord::profit() const {
    if (!isSettled())
        return 0;
    return stake * (unitPayout(*this).value_or(0) - 1);
}

std::optional<double> BetRecord::clv() const {
    if (selections.size() != 1)
        return std::nullopt;
    return selections.front().clv;
}

std::optional<QDate> BetRecord::settledOn() const {
    const BetStatus own = status();
    if (!isSettled())
        return std::nullopt;
    std::optional<QDate> day;
    for (const SelectionState& s : selections) {
        if (own == BetStatus::Lost) {
            if (s.status() == BetStatus::Lost && (!day || s.selection.day < *day))
                day = s.selection.day;
        } else if (!s.voided && (!day || s.selection.day > *day)) {
            day = s.selection.day;
        }
    }
    return day;
}

bool BetRecord::isSettled() const {
    const BetStatus own = status();
    return own != BetStatus::Open && own != BetStatus::Void;
}

double closingLineValue(double oddsTaken, double closingProbability) {
    return oddsTaken / (1 / closingProbability) - 1;
}

LedgerTotals ledgerTotals(const std::vector<BetRecord>& bets, double startingBankroll) {
    LedgerTotals totals;
    double clvSum = 0;
    int clvCount = 0;
    for (const BetRecord& bet : bets) {
        ++totals.bets;
        switch (bet.status()) {
        case BetStatus::Open:
            ++totals.open;
            continue;
        case BetStatus::Void:
            continue;
        case BetStatus::Won:
            ++totals.won;
            break;
        case BetStatus::HalfWon:
            ++totals.halfWon;
            break;
        case BetStatus::Push:
            ++totals.pushed;
            continue;
        case BetStatus::HalfLost:
            ++totals.halfLost;
            break;
        case BetStatus::Lost:
            ++totals.lost;
            break;
        }
        totals.staked += bet.stake;
        totals.profit += bet.profit();
        if (const std::optional<double> clv = bet.clv()) {
            clvSum += *clv;
            ++clvCount;
        }
    }
    if (totals.staked > 0)
        totals.yieldPercent = 100 * totals.profit / totals.staked;
    if (clvCount > 0)
        totals.meanClvPercent = 100 * clvSum / clvCount;
    totals.bankroll = startingBankroll + totals.profit;
    return totals;
}

QString couponGroupName() {
    return QString::fromUtf16(messages::kCouponGroup);
}

namespace {

std::vector<LedgerGroup> grouped(const std::vector<BetRecord>& bets,
                                 const std::function<QString(const SelectionState&)>& key) {
    std::map<QString, std::vector<BetRecord>> groups;
    for (const BetRecord& bet : bets)
        groups[bet.selections.size() == 1 ? key(bet.selections.front()) : couponGroupName()].push_back(bet);
    std::vector<LedgerGroup> result;
    for (const auto& [name, members] : groups)
        result.push_back({name, ledgerTotals(members, 0)});
    return result;
}

} // namespace

std::vector<LedgerGroup> totalsPerLeague(const std::vector<BetRecord>& bets) {
    return grouped(bets, [](const SelectionState& s) { return s.selection.league; });
}

std::vector<LedgerGroup> totalsPerMarket(const std::vector<BetRecord>& bets) {
    return grouped(bets, [](const SelectionState& s) { return s.code(); });
}

std::vector<BankrollPoint> bankrollCurve(const std::vector<BetRecord>& bets, double startingBankroll) {
    std::optional<QDate> first;
    std::map<QDate, double> profitPerDay;
    for (const BetRecord& bet : bets) {
        if (!first || bet.placed < *first)
            first = bet.placed;
        if (const std::optional<QDate> day = bet.settledOn())
            profitPerDay[*day] += bet.profit();
    }
    std::vector<BankrollPoint> curve;
    if (!first)
        return curve;
    double balance = startingBankroll;
    if (profitPerDay.empty() || *first < profitPerDay.begin()->first)
        curve.push_back({*first, balance});
    for (const auto& [day, profit] : profitPerDay) {
        balance += profit;
        curve.push_back({day, balance});
    }
    return curve;
}

QString selectionsText(const BetRecord& bet) {
    QStringList parts;
    for (const SelectionState& s : bet.selections)
        parts << QStringLiteral("%1-%2:%3@%4")
                     .arg(s.selection.home, s.selection.away, s.code(),
                          QString::number(s.selection.odds, 'f', 2));
    return parts.join(QStringLiteral("; "));
}

QByteArray ledgerCsv(const std::vector<BetRecord>& bets, CsvForm form) {
    const auto number = [form](double value, int decimals) {
        return csvNumber(QString::number(value, 'f', decimals), form);
    };
    const QString dayFormat =
        form == CsvForm::Turkish ? QStringLiteral("dd.MM.yyyy") : QStringLiteral("yyyy-MM-dd");
    // Each selection as `bet add` takes one, in the form's dates and decimals, so that a coupon's every
    // match can be told apart and typed again.
    const auto selections = [&](const BetRecord& bet) {
        QStringList parts;
        for (const SelectionState& s : bet.selections)
            parts << QStringList{s.selection.league, s.selection.day.toString(dayFormat),
                                 s.selection.home,   s.selection.away,
                                 s.code(),           number(s.selection.odds, 2)}
                         .join(u'|');
        return parts.join(QStringLiteral("; "));
    };
    QList<QStringList> lines = {QString::fromUtf16(messages::kLedgerCsvHeader).split(u';')};
    for (const BetRecord& bet : bets) {
        const std::optional<double> clv = bet.clv();
        lines.append({QString::number(bet.id), bet.placed.toString(dayFormat), number(bet.stake, 2),
                      number(bet.odds(), 2), statusText(bet.status()), number(bet.profit(), 2),
                      clv ? number(*clv * 100, 2) : QString(), selections(bet)});
    }
    return csvText(lines, form);
}

} // namespace vezal
