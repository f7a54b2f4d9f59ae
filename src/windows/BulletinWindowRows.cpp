// The bulletin window's two tables: the rule's evidence per league, and a row per fixture and outcome.
#include "windows/BulletinWindow.h"

#include "betting/Evidence.h"
#include "common/Names.h"
#include "exchange/LeaguePredictor.h"

#include <QScopedValueRollback>

#include <QHeaderView>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <map>
#include <memory>

namespace vezal {

namespace {

const QColor kValueColour(255, 236, 160);
const QColor kTypedColour(0, 0, 160);
// "Kaynak" of odds the user typed, and the typed cell's tip. %1: the file's odds.
const QString kTyped = QStringLiteral("elle");
const QString kFileOdds = QStringLiteral("Elle girilen oran; dosyadaki %1");
// A row without a price shows its fair odds in grey under "Kaynak" "adil", for the pool's to be typed over.
const QString kFair = QStringLiteral("adil");
const QString kFairTip = QStringLiteral("Tahminin adil oranı; havuzun oranını üstüne yazın");
const QColor kFairColour(128, 128, 128);
constexpr int kOddsCell = 9; // then Kaynak, Değer, Değerli, Pay
constexpr int kRowColumns = 15;

// A cell that sorts by its value, not by its text.
class SortedItem : public QTableWidgetItem {
public:
    SortedItem(const QString& text, const QVariant& key) : QTableWidgetItem(text) {
        setData(Qt::UserRole, key);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant a = data(Qt::UserRole), b = other.data(Qt::UserRole);
        const bool aNumber = a.typeId() == QMetaType::Double, bNumber = b.typeId() == QMetaType::Double;
        if (aNumber && bNumber)
            return a.toDouble() < b.toDouble();
        // Empty cells after every number whichever way the column is sorted: a descending sort asks
        // "less" the other way round.
        if (aNumber != bNumber) {
            const bool descending =
                tableWidget() &&
                tableWidget()->horizontalHeader()->sortIndicatorOrder() == Qt::DescendingOrder;
            return aNumber != descending;
        }
        return compareNoCase(text(), other.text()) < 0;
    }
};

QString number(const std::optional<double>& value, int decimals) {
    return value ? turkishLocale().toString(*value, 'f', decimals) : QString();
}

// A probability or a value as the rest of the program writes it: "%21,7", "-%48,7".
QString percent(const std::optional<double>& fraction) {
    return fraction ? showPercent(*fraction * 100) : QString();
}

QVariant key(const std::optional<double>& value) {
    return value ? QVariant(*value) : QVariant(QString());
}

} // namespace

void BulletinWindow::fillEvidence(const std::vector<Fixture>& fixtures, const BulletinRule& rule) {
    evidenceGrid->setRowCount(0);
    QStringList leagues;
    for (const Fixture& fixture : fixtures)
        if (!leagues.contains(fixture.league))
            leagues << fixture.league;
    for (const QString& league : leagues) {
        const LeagueEvidence evidence = leagueEvidence(program_.database(), league, rule);
        for (const EvidenceFigures* figures : {&evidence.oneXTwo, &evidence.underOver}) {
            const int row = evidenceGrid->rowCount();
            evidenceGrid->insertRow(row);
            const auto interval = figures->yieldInterval();
            const std::optional<double> close = figures->closeValuePercent();
            const auto closeInterval = figures->closeValueInterval();
            const QString none = QStringLiteral("-");
            const QString cells[] = {
                league,
                evidenceMarketCode(figures->market),
                figures->oddsKept ? QString::number(figures->bets) : none,
                figures->oddsKept ? QString::number(figures->won) : none,
                figures->oddsKept && figures->yieldPercent() ? number(figures->yieldPercent(), 1) : none,
                figures->oddsKept && interval ? number(interval->first, 1) : none,
                figures->oddsKept && interval ? number(interval->second, 1) : none,
                close ? number(close, 1) : none,
                closeInterval ? number(closeInterval->first, 1) : none,
                closeInterval ? number(closeInterval->second, 1) : none,
            };
            for (int column = 0; column < int(std::size(cells)); ++column)
                evidenceGrid->setItem(row, column, new QTableWidgetItem(cells[column]));
        }
    }
    evidenceGrid->resizeColumnsToContents();
    // All of its rows in sight, the rest to the rows below.
    const int rowsHeight =
        evidenceGrid->verticalHeader()->length() + evidenceGrid->horizontalHeader()->sizeHint().height() +
        2 * evidenceGrid->frameWidth() + evidenceGrid->horizontalScrollBar()->sizeHint().height();
    const int total = split->height() > 0 ? split->height() : split->sizeHint().height();
    split->setSizes({rowsHeight, std::max(total - rowsHeight, rowsGrid->minimumHeight())});
}

void BulletinWindow::fillRows(const std::vector<BulletinRow>& rows) {
    // The sort the user chose stays; the file's order until a header is clicked.
    rowsGrid->setSortingEnabled(false);
    rowsGrid->setRowCount(0);
    rowFixture_.clear();
    rows_.clear();
    // "Tahmin" for each fixture, one press per pairing, its league's tables read once.
    std::map<QString, std::unique_ptr<LeaguePredictor>> predictors;
    std::map<const Fixture*, QString> predictions;
    for (const Fixture& fixture : fixtures_) {
        auto& predictor = predictors[fixture.league];
        if (!predictor)
            predictor = std::make_unique<LeaguePredictor>(program_.table(), fixture.league);
        const PairingPrediction p = predictor->predict(fixture.home, fixture.away, QString());
        predictions[&fixture] = p.refusal ? QStringLiteral("-")
                                          : QStringLiteral("%1 %2  %3-%4")
                                                .arg(p.panel.firstSign, p.panel.secondSign,
                                                     p.panel.score.home, p.panel.score.away)
                                                .simplified();
    }
    const QScopedValueRollback quiet(filling_, true);
    for (const BulletinRow& r : rows) {
        const int row = rowsGrid->rowCount();
        rowsGrid->insertRow(row);
        rowFixture_.push_back(r.fixture);
        rows_.push_back(r);
        const Fixture& f = *r.fixture;
        std::vector<QTableWidgetItem*> cells = {
            new SortedItem(showDate(f.day), f.day.toString(Qt::ISODate)),
            new SortedItem(f.time, f.time),
            new SortedItem(f.league, f.league),
            new SortedItem(f.home, f.home),
            new SortedItem(f.away, f.away),
            new SortedItem(predictions[r.fixture], predictions[r.fixture]),
        };
        if (r.reason) {
            cells.push_back(new SortedItem(*r.reason, *r.reason));
        } else {
            const QString code = model::outcomeCode(r.market);
            cells.push_back(new SortedItem(code, code));
            cells.push_back(new SortedItem(percent(r.probability), r.probability));
            cells.push_back(new SortedItem(percent(r.book), key(r.book)));
        }
        // Every cell a user could type into is there, so that only the odds cell takes what is typed; the
        // prices are written below.
        while (cells.size() < std::size_t(r.reason ? kRowColumns : kRowColumns - 1))
            cells.push_back(new SortedItem(QString(), QString()));
        if (!r.reason) // the model's own beside the forecast the value rests on
            cells.push_back(new SortedItem(percent(r.modelProbability), r.modelProbability));
        for (std::size_t column = 0; column < cells.size(); ++column) {
            cells[column]->setData(Qt::UserRole + 1, static_cast<int>(rowFixture_.size() - 1));
            if (!(column == kOddsCell && !r.reason))
                cells[column]->setFlags(cells[column]->flags() & ~Qt::ItemIsEditable);
            rowsGrid->setItem(row, static_cast<int>(column), cells[column]);
        }
        showPrices(row, r);
    }
    rowsGrid->setSortingEnabled(true);
    rowsGrid->resizeColumnsToContents();
    rowsGrid->scrollToTop();
}

void BulletinWindow::showPrices(int gridRow, const BulletinRow& r) {
    const QScopedValueRollback quiet(filling_, true);
    if (!r.reason) {
        const std::optional<double> odds = rowOdds(r);
        const bool fair = !odds && r.fair;
        const QString source = r.typedOdds ? kTyped
                               : r.odds    ? r.odds->quote.source
                               : fair      ? kFair
                                           : QString();
        const QString flag =
            odds ? (r.isValue ? QStringLiteral("Evet") : QStringLiteral("Hayır")) : QString();
        const std::optional<double> shownOdds = fair ? r.fair : odds;
        const std::pair<QString, QVariant> shown[] = {{number(shownOdds, 2), key(shownOdds)},
                                                      {source, source},
                                                      {percent(r.value), key(r.value)},
                                                      {flag, flag},
                                                      {number(r.stake, 2), key(r.stake)}};
        for (int i = 0; i < int(std::size(shown)); ++i) {
            QTableWidgetItem* cell = rowsGrid->item(gridRow, kOddsCell + i);
            cell->setText(shown[i].first);
            cell->setData(Qt::UserRole, shown[i].second);
        }
        // A typed price stands out, the file's beside it.
        for (const int column : {kOddsCell, kOddsCell + 1}) {
            QTableWidgetItem* cell = rowsGrid->item(gridRow, column);
            QFont font = cell->font();
            font.setBold(r.typedOdds.has_value());
            font.setItalic(fair);
            cell->setFont(font);
            cell->setForeground(r.typedOdds ? QBrush(kTypedColour) : fair ? QBrush(kFairColour) : QBrush());
            cell->setToolTip(r.typedOdds && r.odds ? kFileOdds.arg(number(r.odds->quote.odds, 2))
                             : fair                ? kFairTip
                                                   : QString());
        }
    }
    for (int column = 0; column < rowsGrid->columnCount(); ++column)
        if (QTableWidgetItem* cell = rowsGrid->item(gridRow, column))
            cell->setBackground(r.isValue ? QBrush(kValueColour) : QBrush());
}

} // namespace vezal
