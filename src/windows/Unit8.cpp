#include "windows/Unit8.h"

#include "windows/GuardedConnect.h"
#include "windows/Unit4.h"

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

constexpr const char16_t* kSaveSuffix = u"Kupon1.txt";
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

TForm8::TForm8(Program& program, QWidget* parent) : QWidget(parent, companion::kTitleBar), program_(program) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("  Kupon"));
    setFont(QFont(QStringLiteral("Comic Sans MS"), 8));
    resize(456, 670);
    // Closing the coupon must never end the program; only the main window does.
    setAttribute(Qt::WA_QuitOnClose, false);

    ToolBar1 = companion::addToolBar(*this);
    ToolButton6 = companion::addToolButton(*ToolBar1, "ToolButton6", QStyle::SP_DialogOpenButton, u"Aç");
    ToolButton2 = companion::addToolButton(*ToolBar1, "ToolButton2", QStyle::SP_DialogSaveButton, u"Kaydet");
    ToolBar1->addSeparator();
    ToolButton4 = companion::addToolButton(*ToolBar1, "ToolButton4", QStyle::SP_TrashIcon, u"Satır Sil");
    ToolButton5 =
        companion::addToolButton(*ToolBar1, "ToolButton5", QStyle::SP_DialogDiscardButton, u"Tümünü Sil");

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setItemDelegate(new TabStopDelegate(ListBox1));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(ListBox1);

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(ToolButton6, &QAction::triggered, this, dialogs,
                   [this](auto&&...) { ToolButton6Click(); });
    guardedConnect(ToolButton2, &QAction::triggered, this, dialogs,
                   [this](auto&&...) { ToolButton2Click(); });
    guardedConnect(ToolButton4, &QAction::triggered, this, dialogs,
                   [this](auto&&...) { ToolButton4Click(); });
    guardedConnect(ToolButton5, &QAction::triggered, this, dialogs,
                   [this](auto&&...) { ToolButton5Click(); });
}

QStringList TForm8::lines() const {
    QStringList lines;
    lines.reserve(ListBox1->count());
    for (int row = 0; row < ListBox1->count(); ++row)
        lines << ListBox1->item(row)->text();
    return lines;
}

void TForm8::appendLine(const QString& line) {
    ListBox1->addItem(line);
}

void TForm8::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        companion::centreOnMainWindow(*this, program_);
    }
    QWidget::showEvent(event);
}

void TForm8::ToolButton6Click() {
    if (const auto lines = companion::chooseAndRead(program_, this)) {
        ListBox1->clear();
        ListBox1->addItems(*lines);
    }
}

void TForm8::ToolButton2Click() {
    // Entries count, not their text: a list of empty lines is a coupon too.
    if (ListBox1->count() == 0) {
        program_.dialogs.warn(this, QString::fromUtf16(companion::kNothingToSave));
        return;
    }
    companion::chooseAndWrite(program_, this, lines(), QString::fromUtf16(kSaveSuffix));
    ListBox1->setFocus();
}

void TForm8::ToolButton4Click() {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    std::unique_ptr<QListWidgetItem> removed(ListBox1->takeItem(ListBox1->row(selected.front())));
    // The next entry is not chosen for the user: a second press must not delete a line nobody picked.
    ListBox1->clearSelection();
    if (ListBox1->count() > 0)
        ListBox1->setFocus();
}

void TForm8::ToolButton5Click() {
    ListBox1->clear();
}

} // namespace vezal
