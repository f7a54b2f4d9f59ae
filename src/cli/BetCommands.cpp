// vezal-cli's ledger of bets: placing, deleting and voiding bets, and listing them settled.
#include "betting/BetLedger.h"
#include "betting/BettingMessages.h"
#include "cli/Arguments.h"
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "store/LeagueListFile.h"
#include "store/Messages.h"

#include <QLocale>
#include <QTextStream>
#include <cmath>

namespace vezal {

namespace {

// A positive decimal with a point or a comma; none otherwise.
std::optional<double> decimal(QString typed) {
    typed = typed.trimmed();
    typed.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(typed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// LEAGUE|DD.MM.YYYY|HOME|AWAY|OUTCOME|ODDS
Selection selectionArgument(const QString& typed) {
    const QStringList parts = typed.split(QLatin1Char('|'));
    if (parts.size() != 6)
        throw UsageError(
            QStringLiteral("Seçim LİG|GG.AA.YYYY|EV|MİSAFİR|SONUÇ|ORAN biçiminde olmalı: %1").arg(typed));
    const std::optional<QDate> day = parseDay(parts[1].trimmed());
    if (!day)
        throw UsageError(QStringLiteral("Seçimin tarihi gg.aa.yyyy biçiminde olmalı: %1").arg(typed));
    const std::optional<BulletinMarket> market = marketFromCode(parts[4].trimmed().toUpper());
    if (!market)
        throw UsageError(
            QStringLiteral("Seçimin sonucu 1, 0, 2, ALT, UST, KGVAR ya da KGYOK olmalı: %1").arg(typed));
    const std::optional<double> odds = decimal(parts[5]);
    if (!odds)
        throw UsageError(QStringLiteral("Seçimin oranı bir ondalık sayı olmalı: %1").arg(typed));
    return {parts[0].trimmed(), *day, parts[2].trimmed(), parts[3].trimmed(), *market, *odds};
}

qint64 betNumber(const QString& typed) {
    bool ok = false;
    const qint64 id = typed.toLongLong(&ok);
    if (!ok || id <= 0)
        throw UsageError(QStringLiteral("Bahis numarası pozitif bir tam sayı olmalı: %1").arg(typed));
    return id;
}

int addBet(CommandContext& context, const QStringList& args) {
    if (!context.has(QStringLiteral("--stake")))
        throw UsageError(QStringLiteral("bet add için --stake MİKTAR gerekli"));
    const std::optional<double> stake = decimal(context.option(QStringLiteral("--stake")));
    if (!stake)
        throw UsageError(QStringLiteral("--stake için bir ondalık sayı girin: %1")
                             .arg(context.option(QStringLiteral("--stake"))));
    QDate placed = QDate::currentDate();
    if (context.has(QStringLiteral("--placed"))) {
        const std::optional<QDate> day = parseDay(context.option(QStringLiteral("--placed")));
        if (!day)
            throw UsageError(QStringLiteral("--placed gg.aa.yyyy biçiminde bir tarih olmalı: %1")
                                 .arg(context.option(QStringLiteral("--placed"))));
        placed = *day;
    }
    if (args.isEmpty())
        throw UsageError(QStringLiteral("bet add en az bir seçim ister"));
    std::vector<Selection> selections;
    for (const QString& typed : args)
        selections.push_back(selectionArgument(typed));

    const QStringList leagues = loadLeagueList(context.leagueListPath());
    for (const Selection& s : selections)
        if (!leagues.contains(s.league))
            return context.refuse(QString::fromUtf16(messages::kNoSuchLeague).arg(s.league));
    BetLedger ledger(context.database());
    const PlaceOutcome outcome = ledger.place(placed, *stake, selections);
    if (!outcome.id)
        return context.refuse(outcome.refusal);
    context.out << "bet\t" << *outcome.id << '\n';
    return kExitOk;
}

int runBet(CommandContext& context) {
    const QString action = context.positional().at(0);
    const QStringList args = context.positional().mid(1);
    if (action == QLatin1String("add"))
        return addBet(context, args);
    if (context.has(QStringLiteral("--stake")) || context.has(QStringLiteral("--placed")))
        throw UsageError(QStringLiteral("--stake ve --placed yalnız bet add ile verilir"));
    BetLedger ledger(context.database());
    if (action == QLatin1String("delete") && args.size() == 1) {
        const qint64 id = betNumber(args[0]);
        if (!ledger.remove(id))
            return context.refuse(QString::fromUtf16(messages::kNoSuchBet).arg(id));
        return kExitOk;
    }
    if (action == QLatin1String("void") && (args.size() == 1 || args.size() == 2)) {
        std::optional<int> selection;
        if (args.size() == 2)
            selection = static_cast<int>(betNumber(args[1]));
        if (const std::optional<QString> refusal = ledger.voidBet(betNumber(args[0]), selection))
            return context.refuse(*refusal);
        return kExitOk;
    }
    if (action == QLatin1String("bankroll") && args.size() == 1) {
        const std::optional<double> amount = decimal(args[0]);
        if (!amount || *amount < 0)
            throw UsageError(
                QStringLiteral("Başlangıç kasası sıfır ya da pozitif bir sayı olmalı: %1").arg(args[0]));
        ledger.setStartingBankroll(*amount);
        return kExitOk;
    }
    throw UsageError(QStringLiteral("bet add|delete NO|void NO [SEÇİM]|bankroll MİKTAR olarak kullanılır"));
}

QString money(double value) {
    return QString::number(value, 'f', 2);
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
                    << t.lost << "\nstaked\t" << money(t.staked) << "\nprofit\t" << money(t.profit)
                    << "\nyield\t" << (t.yieldPercent ? QString::number(*t.yieldPercent, 'f', 1) : QString())
                    << "\nclv\t"
                    << (t.meanClvPercent ? QString::number(*t.meanClvPercent, 'f', 2) : QString())
                    << "\nbankroll\t" << money(t.bankroll) << '\n';
        return kExitOk;
    }
    context.out << "id\tplaced\tstake\todds\tstatus\tprofit\tclv\tselections\n";
    for (const BetRecord& bet : bets) {
        const BetStatus status = bet.status();
        if ((open && status != BetStatus::Open) || (settled && status == BetStatus::Open))
            continue;
        const std::optional<double> clv = bet.clv();
        context.out << bet.id << '\t' << bet.placed.toString(Qt::ISODate) << '\t' << money(bet.stake) << '\t'
                    << money(bet.odds()) << '\t' << statusText(status) << '\t' << money(bet.profit()) << '\t'
                    << (clv ? QString::number(*clv, 'f', 4) : QString()) << '\t' << selectionsText(bet)
                    << '\n';
    }
    return kExitOk;
}

} // namespace

Command betCommand() {
    return {"bet",
            "add --stake MİKTAR [--placed TARİH] SEÇİM [SEÇİM ...] | delete NO | void NO [SIRA] | bankroll "
            "MİKTAR",
            "Bahis kaydeder (SEÇİM: LİG|GG.AA.YYYY|EV|MİSAFİR|SONUÇ|ORAN, SONUÇ 1 0 2 ALT UST KGVAR KGYOK; "
            "birden çok seçim bir kupondur) ve \"bet<TAB>NO\" yazar; bahsi siler, bahsi ya da kuponun bir "
            "seçimini iptal eder (oranı 1 sayılır), başlangıç kasasını kaydeder.",
            1,
            1000,
            {{"--stake", true}, {"--placed", true}},
            runBet};
}

Command betsCommand() {
    return {
        "bets",
        "[--open | --settled | --summary]",
        "Bahisleri tablodaki sonuçlara göre sonuçlanmış olarak yazar: no, tarih, miktar, oran, durum, kâr, "
        "kapanış oranına göre değer (CLV) ve seçimler; --summary toplamları (yatırılan ve verim sonuçlanan "
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
