#include "betting/Bets.h"

#include "betting/BettingMessages.h"

#include <QLocale>
#include <algorithm>
#include <functional>
#include <map>

namespace vezal {

std::optional<BulletinMarket> marketFromCode(const QString& code) {
    for (const BulletinMarket market : kBulletinMarkets)
        if (marketCode(market) == code)
            return market;
    return std::nullopt;
}

QString statusText(BetStatus status) {
    switch (status) {
    case BetStatus::Open:
        return QString::fromUtf16(messages::kBetOpen);
    case BetStatus::Won:
        return QString::fromUtf16(messages::kBetWon);
    case BetStatus::Lost:
        return QString::fromUtf16(messages::kBetLost);
    case BetStatus::Void:
        break;
    }
    return QString::fromUtf16(messages::kBetVoid);
}

bool outcomeHappened(BulletinMarket market, int homeGoals, int awayGoals) {
    switch (market) {
    case BulletinMarket::Home:
        return homeGoals > awayGoals;
    case BulletinMarket::Draw:
        return homeGoals == awayGoals;
    case BulletinMarket::Away:
        return homeGoals < awayGoals;
    case BulletinMarket::Under:
        return homeGoals + awayGoals < 3;
    case BulletinMarket::Over:
        return homeGoals + awayGoals > 2;
    case BulletinMarket::BothScore:
        return homeGoals > 0 && awayGoals > 0;
    case BulletinMarket::NotBothScore:
        break;
    }
    return homeGoals == 0 || awayGoals == 0;
}

BetStatus SelectionState::status() const {
    if (voided)
        return BetStatus::Void;
    if (!score)
        return BetStatus::Open;
    return outcomeHappened(selection.market, score->first, score->second) ? BetStatus::Won : BetStatus::Lost;
}

BetStatus BetRecord::status() const {
    bool open = false, won = false;
    for (const SelectionState& s : selections) {
        const BetStatus status = s.status();
        if (status == BetStatus::Lost)
            return BetStatus::Lost;
        open = open || status == BetStatus::Open;
        won = won || status == BetStatus::Won;
    }
    if (open)
        return BetStatus::Open;
    return won ? BetStatus::Won : BetStatus::Void;
}

double BetRecord::odds() const {
    double product = 1;
    for (const SelectionState& s : selections)
        product *= s.selection.odds;
    return product;
}

double BetRecord::profit() const {
    switch (status()) {
    case BetStatus::Won: {
        double product = 1;
        for (const SelectionState& s : selections)
            if (!s.voided)
                product *= s.selection.odds;
        return stake * (product - 1);
    }
    case BetStatus::Lost:
        return -stake;
    case BetStatus::Open:
    case BetStatus::Void:
        break;
    }
    return 0;
}

std::optional<double> BetRecord::clv() const {
    if (selections.size() != 1)
        return std::nullopt;
    return selections.front().clv;
}

std::optional<QDate> BetRecord::settledOn() const {
    const BetStatus own = status();
    if (own != BetStatus::Won && own != BetStatus::Lost)
        return std::nullopt;
    std::optional<QDate> day;
    for (const SelectionState& s : selections) {
        if (own == BetStatus::Lost && s.status() == BetStatus::Lost) {
            if (!day || s.selection.day < *day)
                day = s.selection.day;
        } else if (own == BetStatus::Won && s.status() == BetStatus::Won) {
            if (!day || s.selection.day > *day)
                day = s.selection.day;
        }
    }
    return day;
}

bool BetRecord::isSettled() const {
    const BetStatus own = status();
    return own == BetStatus::Won || own == BetStatus::Lost;
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
                                 const std::function<QString(const Selection&)>& key) {
    std::map<QString, std::vector<BetRecord>> groups;
    for (const BetRecord& bet : bets)
        groups[bet.selections.size() == 1 ? key(bet.selections.front().selection) : couponGroupName()]
            .push_back(bet);
    std::vector<LedgerGroup> result;
    for (const auto& [name, members] : groups)
        result.push_back({name, ledgerTotals(members, 0)});
    return result;
}

} // namespace

std::vector<LedgerGroup> totalsPerLeague(const std::vector<BetRecord>& bets) {
    return grouped(bets, [](const Selection& s) { return s.league; });
}

std::vector<LedgerGroup> totalsPerMarket(const std::vector<BetRecord>& bets) {
    return grouped(bets, [](const Selection& s) { return marketCode(s.market); });
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
                     .arg(s.selection.home, s.selection.away, marketCode(s.selection.market),
                          QString::number(s.selection.odds, 'f', 2));
    return parts.join(QStringLiteral("; "));
}

QByteArray ledgerCsv(const std::vector<BetRecord>& bets, CsvForm form) {
    const auto number = [form](double value, int decimals) {
        return csvNumber(QString::number(value, 'f', decimals), form);
    };
    const QString dayFormat =
        form == CsvForm::Turkish ? QStringLiteral("dd.MM.yyyy") : QStringLiteral("yyyy-MM-dd");
    QList<QStringList> lines = {QString::fromUtf16(messages::kLedgerCsvHeader).split(u';')};
    for (const BetRecord& bet : bets) {
        const std::optional<double> clv = bet.clv();
        lines.append({QString::number(bet.id), bet.placed.toString(dayFormat), number(bet.stake, 2),
                      number(bet.odds(), 2), statusText(bet.status()), number(bet.profit(), 2),
                      clv ? number(*clv * 100, 2) : QString(), selectionsText(bet)});
    }
    return csvText(lines, form);
}

} // namespace vezal
