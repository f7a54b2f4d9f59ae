#include "windows/CouponWindow.h"

#include "windows/BetSlipDialog.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/ToolWindow.h"
#include "windows/WindowKit.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <QToolBar>
#include <QVBoxLayout>
#include <memory>

namespace vezal {

namespace {

constexpr const char16_t* kDefaultFileName = u"Kupon1.txt";
// Where an entry keeps the pairing its line predicts.
constexpr int kLeagueRole = Qt::UserRole;
constexpr int kDayRole = Qt::UserRole + 1;
constexpr int kEntryHeight = 15;
constexpr int kAverageCharsPerTabStop = 2; // 8 dialog units

// Draws an entry with its tabs expanded to the list's own stops, which the standard drawing does not do.
class TabStopDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        const QWidget* widget = item.widget;
        const QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

        QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
        layout.setWrapMode(QTextOption::NoWrap);
        layout.setTabStopDistance(tabStop(item.font));
        const QPalette::ColorGroup group =
            item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        const QPalette::ColorRole role =
            item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text;
        painter->save();
        painter->setFont(item.font);
        painter->setPen(item.palette.color(group, role));
        painter->drawText(QRectF(item.rect.adjusted(margin(widget), 0, -margin(widget), 0)), text, layout);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QFontMetrics metrics(item.font);
        const int width =
            metrics.size(Qt::TextSingleLine | Qt::TextExpandTabs, item.text, qRound(tabStop(item.font)))
                .width();
        return {width + 2 * margin(item.widget), kEntryHeight};
    }

private:
    static qreal tabStop(const QFont& font) {
        return kAverageCharsPerTabStop * QFontMetricsF(font).averageCharWidth();
    }
    static int margin(const QWidget* widget) {
        const QStyle* style = widget ? widget->style() : QApplication::style();
        return style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    }
};

} // namespace

CouponWindow::CouponWindow(Program& program, QWidget* parent)
    : QWidget(parent, toolwindow::kTitleBar), program_(program) {
    toolwindow::setUp(*this, "Form8", QStringLiteral("  Kupon"), QSize(456, 670));

    toolBar = toolwindow::addToolBar(*this);
    openAction = toolwindow::addToolButton(*toolBar, "ToolButton6", toolwindow::Picture::Open, u"Aç");
    saveAction = toolwindow::addToolButton(*toolBar, "ToolButton2", toolwindow::Picture::Save, u"Kaydet");
    toolBar->addSeparator();
    deleteLineAction =
        toolwindow::addToolButton(*toolBar, "ToolButton4", toolwindow::Picture::DeleteLine, u"Satır Sil");
    deleteAllAction =
        toolwindow::addToolButton(*toolBar, "ToolButton5", toolwindow::Picture::DeleteAll, u"Tümünü Sil");
    toolBar->addSeparator();
    betAction = toolBar->addAction(QStringLiteral("Bahis Olarak Kaydet"));
    betAction->setObjectName(QStringLiteral("BetAction"));

    couponList = new QListWidget(this);
    couponList->setObjectName(QStringLiteral("ListBox1"));
    couponList->setSelectionMode(QAbstractItemView::SingleSelection);
    couponList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    couponList->setUniformItemSizes(true);
    couponList->setItemDelegate(new TabStopDelegate(couponList));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(couponList);

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(openAction, &QAction::triggered, this, dialogs, [this](auto&&...) { onOpen(); });
    guardedConnect(saveAction, &QAction::triggered, this, dialogs, [this](auto&&...) { onSave(); });
    guardedConnect(deleteLineAction, &QAction::triggered, this, dialogs,
                   [this](auto&&...) { onDeleteLine(); });
    guardedConnect(deleteAllAction, &QAction::triggered, this, dialogs, [this](auto&&...) { onDeleteAll(); });
    guardedConnect(betAction, &QAction::triggered, this, dialogs, [this](auto&&...) { onSaveAsBet(); });
}

QStringList CouponWindow::lines() const {
    QStringList lines;
    lines.reserve(couponList->count());
    for (int row = 0; row < couponList->count(); ++row)
        lines << couponList->item(row)->text();
    return lines;
}

std::vector<CouponEntry> CouponWindow::entries() const {
    std::vector<CouponEntry> entries;
    for (int row = 0; row < couponList->count(); ++row) {
        const QListWidgetItem* item = couponList->item(row);
        CouponEntry entry{item->text(), std::nullopt};
        const QVariant day = item->data(kDayRole);
        if (day.isValid())
            entry.pairing = CouponPairing{item->data(kLeagueRole).toString(), day.toDate()};
        entries.push_back(entry);
    }
    return entries;
}

void CouponWindow::appendLine(const QString& line, const std::optional<CouponPairing>& pairing) {
    auto* item = new QListWidgetItem(line);
    if (pairing) {
        item->setData(kLeagueRole, pairing->league);
        item->setData(kDayRole, pairing->day);
    }
    couponList->addItem(item);
}

void CouponWindow::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        centreOverMainWindow(this, program_);
    }
    QWidget::showEvent(event);
}

void CouponWindow::onOpen() {
    if (const auto lines = toolwindow::chooseAndRead(program_, this)) {
        couponList->clear();
        couponList->addItems(*lines);
    }
}

void CouponWindow::onSave() {
    // Entries count, not their text: a list of empty lines is a coupon too.
    if (couponList->count() == 0) {
        program_.dialogs.warn(this, QString::fromUtf16(toolwindow::kNothingToSave));
        return;
    }
    toolwindow::chooseAndWrite(program_, this, lines(), QString::fromUtf16(kDefaultFileName));
    couponList->setFocus();
}

void CouponWindow::onDeleteLine() {
    const QList<QListWidgetItem*> selected = couponList->selectedItems();
    if (selected.isEmpty())
        return;
    std::unique_ptr<QListWidgetItem> removed(couponList->takeItem(couponList->row(selected.front())));
    // The next entry is not chosen for the user: a second press must not delete a line nobody picked.
    couponList->clearSelection();
    if (couponList->count() > 0)
        couponList->setFocus();
}

void CouponWindow::onDeleteAll() {
    couponList->clear();
}

void CouponWindow::onSaveAsBet() {
    if (couponList->count() == 0) {
        program_.dialogs.warn(this, QString::fromUtf16(toolwindow::kNothingToSave));
        return;
    }
    auto* slip = new BetSlipDialog(program_, entries(), this);
    slip->setAttribute(Qt::WA_DeleteOnClose);
    program_.dialogs.showModal(slip);
}

} // namespace vezal
