// vezal-cli's ledger of bets: placing, deleting and voiding bets, and listing them settled.
#include "betting/BetLedger.h"
#include "betting/BettingMessages.h"
#include "cli/Arguments.h"
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/TabOutput.h"
#include "common/Odds.h"

#include <QRegularExpression>
#include <QTextStream>
#include <cmath>
#include <limits>

namespace vezal {

namespace {

QString text(const char16_t* message) {
    return QString::fromUtf16(message);
}

// LEAGUE|DD.MM.YYYY|HOME|AWAY|OUTCOME|ODDS
Selection selectionArgument(const QString& typed) {
    const QStringList parts = typed.split(QLatin1Char('|'));
    if (parts.size() != 6)
        throw UsageError(
            QStringLiteral("Seçim LİG|GG.AA.YYYY|EV|MİSAFİR|SONUÇ|ORAN biçiminde olmalı: %1").arg(typed));
    const std::optional<QDate> day = parseDay(parts[1].trimmed());
    if (!day)
        throw UsageError(QStringLiteral("Seçimin tarihi gg.aa.yyyy biçiminde, 01.01.1900 ile 31.12.2100 "
                                        "arasında olmalı: %1")
                             .arg(typed));
    const std::optional<model::MarketOutcome> market = model::outcomeFromCode(parts[4]);
    if (!market)
        throw UsageError(
            QStringLiteral("Seçimin sonucu bir piyasanın kodu olmalı (1 0 2, 1X 12 X2, DNB1 DNB2, "
                           "ALT0.5 ... UST4.5, KGVAR KGYOK, TG01 TG23 TG45 TG6, SK2-1 SKDIGER, "
                           "H1(0:1) H0(0:1) H2(0:1), IYMS11 ... IYMS22, AH1-0.75 AH2+0.25 ...): %1")
                .arg(typed));
    const std::optional<double> odds = readOddsValue(parts[5]);
    if (!odds)
        throw UsageError(text(kOddsRefused).arg(typed));
    return {parts[0].trimmed(), *day, parts[2].trimmed(), parts[3].trimmed(), *market, *odds};
}

qint64 betNumber(const QString& typed) {
    const std::optional<qint64> id = wholeNumber(typed, 1, std::numeric_limits<qint64>::max());
    if (!id)
        throw UsageError(QStringLiteral("Bahis numarası pozitif bir tam sayı olmalı: %1").arg(typed));
    return *id;
}

int selectionNumber(const QString& typed) {
    const std::optional<qint64> number = wholeNumber(typed, 1, kMostSelections);
    if (!number)
        throw UsageError(QStringLiteral("Seçimin sırası 1 ile %1 arasında bir tam sayı olmalı: %2")
                             .arg(kMostSelections)
                             .arg(typed));
    return int(*number);
}

double amountArgument(const QString& what, const QString& typed) {
    const std::optional<double> amount = readAmount(typed);
    if (!amount)
        throw UsageError(text(kAmountRefused).arg(what, typed));
    return *amount;
}

int addBet(CommandContext& context, const QStringList& args) {
    if (!context.has(QStringLiteral("--stake")))
        throw UsageError(QStringLiteral("bet add için --stake MİKTAR gerekli"));
    const double stake = amountArgument(QStringLiteral("--stake"), context.option(QStringLiteral("--stake")));
    QDate placed = QDate::currentDate();
    if (context.has(QStringLiteral("--placed")))
        placed = dayArgument(context.option(QStringLiteral("--placed")), QStringLiteral("--placed"));
    if (args.isEmpty())
        throw UsageError(QStringLiteral("bet add en az bir seçim ister"));
    if (args.size() > kMostSelections)
        throw UsageError(text(messages::kTooManySelections).arg(args.size()));
    std::vector<Selection> selections;
    for (const QString& typed : args)
        selections.push_back(selectionArgument(typed));

    BetLedger ledger(context.database());
    const PlaceOutcome outcome = ledger.place(placed, stake, selections);
    if (!outcome.id)
        return context.refuse(outcome.refusal);
    context.out << "bet\t" << *outcome.id << '\n';
    return kExitOk;
}

// A bankroll of 0 is the ledger's "none kept".
double bankrollArgument(const QString& typed) {
    static const QRegularExpression zero(QStringLiteral("\\A *0+([.,]0{1,2})? *\\z"));
    if (zero.match(typed).hasMatch())
        return 0;
    const std::optional<double> amount = readAmount(typed);
    if (!amount)
        throw UsageError(text(kAmountRefused).arg(QStringLiteral("Başlangıç kasası"), typed) +
                         QStringLiteral(" (0 kasayı siler)"));
    return *amount;
}

int runBet(CommandContext& context) {
    const QString action = context.positional().at(0);
    const QStringList args = context.positional().mid(1);
    if (action == QLatin1String("add"))
        return addBet(context, args);
    if (context.has(QStringLiteral("--stake")) || context.has(QStringLiteral("--placed")))
        throw UsageError(QStringLiteral("--stake ve --placed yalnız bet add ile verilir"));
    // Every number is read before the data is opened: a wrong one changes nothing.
    if (action == QLatin1String("delete") && args.size() == 1) {
        const qint64 id = betNumber(args[0]);
        if (!BetLedger(context.database()).remove(id))
            return context.refuse(text(messages::kNoSuchBet).arg(id));
        return kExitOk;
    }
    if (action == QLatin1String("void") && (args.size() == 1 || args.size() == 2)) {
        const qint64 id = betNumber(args[0]);
        std::optional<int> selection;
        if (args.size() == 2)
            selection = selectionNumber(args[1]);
        if (const std::optional<QString> refusal = BetLedger(context.database()).voidBet(id, selection))
            return context.refuse(*refusal);
        return kExitOk;
    }
    if (action == QLatin1String("bankroll") && args.size() == 1) {
        const double amount = bankrollArgument(args[0]);
        BetLedger(context.database()).setStartingBankroll(amount);
        return kExitOk;
    }
    throw UsageError(QStringLiteral("bet add|delete NO|void NO [SEÇİM]|bankroll MİKTAR olarak kullanılır"));
}

// A figure no bet placed within the bounds can reach (one stored before them) is left empty, never "inf".
QString fixedOrEmpty(double value, int decimals) {
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QString();
}

QString money(double value) {
    return fixedOrEmpty(value, 2);
}

// Why a played selection stays open; a coupon's numbered.
QString openReasons(const BetRecord& bet) {
    QStringList reasons;
    for (const SelectionState& s : bet.selections)
        if (const QString reason = s.openReason(); !reason.isEmpty())
            reasons << (bet.selections.size() == 1 ? reason
                                                   : QStringLiteral("%1: %2").arg(s.number).arg(reason));
    return reasons.join(QStringLiteral("; "));
}

int listBets(CommandContext& context) {
    const bool open = context.has(QStringLiteral("--open"));
    const bool settled = context.has(QStringLiteral("--settled"));
    const bool summary = context.has(QStringLiteral("--summary"));
    if (int(open) + int(settled) + int(summary) > 1)
        throw UsageError(QStringLiteral("--open, --settled ve --summary birlikte verilmez"));
    BetLedger ledger(context.database());
    const std::vector<BetRecord> bets = ledger.bets();
    if (summary) {
        const LedgerTotals t = ledgerTotals(bets, ledger.startingBankroll());
        context.out << "name\tvalue\n"
                    << "bets\t" << t.bets << "\nopen\t" << t.open << "\nwon\t" << t.won << "\nlost\t"
                    << t.lost << "\nhalf-won\t" << t.halfWon << "\npush\t" << t.pushed << "\nhalf-lost\t"
                    << t.halfLost << "\nstaked\t" << money(t.staked) << "\nprofit\t" << money(t.profit)
                    << "\nyield\t" << (t.yieldPercent ? fixedOrEmpty(*t.yieldPercent, 1) : QString())
                    << "\nclv\t" << (t.meanClvPercent ? fixedOrEmpty(*t.meanClvPercent, 2) : QString())
                    << "\nbankroll\t" << money(t.bankroll) << '\n';
        return kExitOk;
    }
    context.out << "id\tplaced\tstake\todds\tstatus\tprofit\tclv\tselections\treason\n";
    for (const BetRecord& bet : bets) {
        const BetStatus status = bet.status();
        if ((open && status != BetStatus::Open) || (settled && status == BetStatus::Open))
            continue;
        const std::optional<double> clv = bet.clv();
        context.out << bet.id << '\t' << bet.placed.toString(Qt::ISODate) << '\t' << money(bet.stake) << '\t'
                    << money(bet.odds()) << '\t' << statusText(status) << '\t' << money(bet.profit()) << '\t'
                    << (clv ? fixedOrEmpty(*clv, 4) : QString()) << '\t' << tabCell(selectionsText(bet))
                    << '\t' << tabCell(openReasons(bet)) << '\n';
    }
    return kExitOk;
}

} // namespace

Command betCommand() {
    return {"bet",
            "add --stake MİKTAR [--placed TARİH] SEÇİM [SEÇİM ...] | delete NO | void NO [SIRA] | bankroll "
            "MİKTAR",
            "Bahis kaydeder (SEÇİM: LİG|GG.AA.YYYY|EV|MİSAFİR|SONUÇ|ORAN, SONUÇ bir piyasanın kodu: 1 0 2, "
            "1X, ALT, UST3.5, KGVAR, "
            "TG23, SK2-1, H1(0:1), IYMS12, AH1-0.75 ...; "
            "birden çok seçim, en fazla 999, bir kupondur) ve \"bet<TAB>NO\" yazar; bahsi siler, bahsi ya da "
            "kuponun bir seçimini iptal eder (oranı 1 sayılır), başlangıç kasasını kaydeder.",
            1,
            // More than a coupon can hold: the command says how many it takes, not that the count is wrong.
            std::numeric_limits<int>::max(),
            {{"--stake", true}, {"--placed", true}},
            runBet};
}

Command betsCommand() {
    return {
        "bets",
        "[--open | --settled | --summary]",
        "Bahisleri tablodaki sonuçlara göre sonuçlanmış olarak yazar: no, tarih, miktar, oran, durum, kâr, "
        "kapanış oranına göre değer (CLV), seçimler ve oynanmış maçı sonuçlanamayan seçimin nedeni; "
        "--summary toplamları (yatırılan ve verim sonuçlanan "
        "bahislerden, CLV kapanış oranı olan sonuçlanmış tekli bahislerin ortalaması, kasa başlangıç "
        "kasası artı kâr).",
        0,
        0,
        {{"--open", false}, {"--settled", false}, {"--summary", false}},
        listBets,
        FolderUse::DataFolder,
        TableUse::Lists};
}

} // namespace vezal
