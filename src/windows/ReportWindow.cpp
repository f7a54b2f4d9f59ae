#include "windows/ReportWindow.h"

#include "common/Names.h"
#include "store/LineFile.h"
#include "store/StoreError.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/PrintLayout.h"
#include "windows/ToolWindow.h"
#include "windows/WindowKit.h"

#include <QAction>
#include <QDir>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolBar>
#include <QVBoxLayout>

namespace vezal {

namespace {

constexpr const char16_t* kNothingToPrint = u"Henüz yazdırılabilecek bir yorum yapılmamış  ... ";
constexpr const char16_t* kDefaultFileName = u"Yorum1.txt";
constexpr const char16_t* kPrinterFailed = u"Yazıcı açılamadı: %1";
// Room that every printer can print in, and for the binding.
constexpr qreal kMarginMm = 15;

// Blanks and control characters, line breaks and tabs included, do not make a report.
bool isBlank(const QStringList& lines) {
    for (const QString& line : lines)
        for (const QChar ch : line)
            if (ch > u' ')
                return false;
    return true;
}

// One print job: the lines laid out in the given font on the printer's printable area, under the header.
void printLines(QPrinter& printer, const QFont& font, const QString& header, const QStringList& lines) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString target =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        throw StoreError(QString::fromUtf16(kPrinterFailed).arg(target));
    }
    painter.setFont(font);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const PrintFontMetrics layoutMetrics{metrics.lineSpacing(), metrics.averageCharWidth(),
                                         [&metrics](const QString& text) {
                                             return metrics.horizontalAdvance(text);
                                         }};
    const auto pages =
        layoutPagesUnder(header, lines, layoutMetrics, QSizeF(printer.width(), printer.height()));
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0 && !printer.newPage())
            throw StoreError(QString::fromUtf16(kPrinterFailed).arg(printer.printerName()));
        for (const PrintRun& run : pages[page])
            painter.drawText(QPointF(run.x, run.y + metrics.ascent()), run.text);
    }
    painter.end();
}

} // namespace

ReportWindow::ReportWindow(Program& program, QWidget* parent)
    : QWidget(parent, toolwindow::kTitleBar), program_(program) {
    toolwindow::setUp(*this, "Form4", QStringLiteral("  Rapor"), QSize(577, 670));

    toolBar = toolwindow::addToolBar(*this);
    openAction = toolwindow::addToolButton(*toolBar, "ToolButton2", toolwindow::Picture::Open, u"Aç");
    saveAction = toolwindow::addToolButton(*toolBar, "ToolButton4", toolwindow::Picture::Save, u"Kaydet");
    toolBar->addSeparator();
    printAction = toolwindow::addToolButton(*toolBar, "ToolButton6", toolwindow::Picture::Print, u"Yazdır");
    toolBar->addSeparator();
    hideAction = toolwindow::addToolButton(*toolBar, "ToolButton7", toolwindow::Picture::Close, u"Çıkış");

    reportText = new QPlainTextEdit(this);
    reportText->setObjectName(QStringLiteral("Memo1"));
    reportText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    reportText->setTabChangesFocus(false);
    reportText->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    reportText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The same stops as on paper: every eight average character widths.
    reportText->setTabStopDistance(8 * QFontMetricsF(reportText->font()).averageCharWidth());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(reportText);

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(openAction, &QAction::triggered, this, dialogs, [this](auto&&...) { onOpen(); });
    guardedConnect(saveAction, &QAction::triggered, this, dialogs, [this](auto&&...) { onSave(); });
    guardedConnect(printAction, &QAction::triggered, this, dialogs, [this](auto&&...) { onPrint(); });
    guardedConnect(hideAction, &QAction::triggered, this, dialogs, [this](auto&&...) { onHide(); });

    // Every key reaches the window first, whichever control has the focus.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void ReportWindow::appendLines(const QStringList& lines) {
    QTextCursor cursor(reportText->document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    // An empty report takes the first line in place of its one empty line.
    bool first = reportText->document()->isEmpty();
    for (const QString& line : lines) {
        if (!first)
            cursor.insertBlock();
        first = false;
        cursor.insertText(line);
    }
    cursor.endEditBlock();
    reportText->moveCursor(QTextCursor::End);
}

QStringList ReportWindow::lines() const {
    QStringList lines;
    for (QTextBlock block = reportText->document()->begin(); block.isValid(); block = block.next())
        lines << block.text().split(QChar::LineSeparator);
    return lines;
}

bool ReportWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && handleWindowKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void ReportWindow::keyPressEvent(QKeyEvent* event) {
    if (!handleWindowKey(event))
        QWidget::keyPressEvent(event);
}

void ReportWindow::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        centreOverMainWindow(this, program_);
    }
    QWidget::showEvent(event);
}

bool ReportWindow::handleWindowKey(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape)
        return false;
    close();
    return true;
}

void ReportWindow::onOpen() {
    if (const auto lines = toolwindow::chooseAndRead(program_, this))
        reportText->setPlainText(lines->join(u'\n'));
}

void ReportWindow::onSave() {
    const QStringList report = lines();
    if (isBlank(report)) {
        program_.dialogs.warn(this, QString::fromUtf16(toolwindow::kNothingToSave));
        return;
    }
    toolwindow::chooseAndWrite(program_, this, report, QString::fromUtf16(kDefaultFileName));
}

void ReportWindow::onPrint() {
    const QStringList report = lines();
    if (isBlank(report)) {
        program_.dialogs.warn(this, QString::fromUtf16(kNothingToPrint));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle().trimmed());
    printer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    if (!program_.dialogs.choosePrinter(this, printer))
        return;
    printLines(printer, reportText->font(), printHeader(), report);
}

// "Rapor - Süper Lig - 09.12.2026": what the pages are, of which league and from which day.
QString ReportWindow::printHeader() const {
    QStringList parts = {windowTitle().trimmed()};
    if (program_.hasWindows()) {
        const QString league = program_.navigation().leagueSelector().loadedLeague();
        if (!league.isEmpty())
            parts << league;
    }
    parts << showDate(program_.today());
    return parts.join(QStringLiteral(" - "));
}

void ReportWindow::onHide() {
    close();
}

} // namespace vezal
