#include "windows/Unit4.h"

#include "store/LineFile.h"
#include "store/StoreError.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/PrintLayout.h"

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
constexpr const char16_t* kSaveSuffix = u"Yorum1.txt";
constexpr const char16_t* kNotInCodePage =
    u"%1. satırda Türkçe kod sayfasında olmayan bir karakter var, Dosya Kaydedilmedi  ... ";
constexpr const char16_t* kPrinterFailed = u"Yazıcı açılamadı: %1";

// Blanks and control characters, line breaks and tabs included, do not make a report.
bool isBlank(const QStringList& lines) {
    for (const QString& line : lines)
        for (const QChar ch : line)
            if (ch > u' ')
                return false;
    return true;
}

// One print job: the lines laid out in the given font on the printer's printable area.
void printLines(QPrinter& printer, const QFont& font, const QStringList& lines) {
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
    const auto pages = layoutPages(lines, layoutMetrics, QSizeF(printer.width(), printer.height()));
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0 && !printer.newPage())
            throw StoreError(QString::fromUtf16(kPrinterFailed).arg(printer.printerName()));
        for (const PrintRun& run : pages[page])
            painter.drawText(QPointF(run.x, run.y + metrics.ascent()), run.text);
    }
    painter.end();
}

} // namespace

namespace companion {

std::optional<QStringList> chooseAndRead(Program& program, QWidget* parent) {
    QDir::setCurrent(program.folder);
    const QString path =
        program.dialogs.openFileName(parent, QString::fromUtf16(kOpenTitle), QString::fromUtf16(kOpenFilter));
    if (path.isEmpty())
        return std::nullopt;
    return readLineFile(path);
}

bool chooseAndWrite(Program& program, QWidget* parent, const QStringList& lines,
                    const QString& defaultSuffix) {
    // Windows-1254 would turn such a character into something else without a word.
    if (const auto line = firstLineOutsideCodePage(lines)) {
        program.dialogs.warn(parent, QString::fromUtf16(kNotInCodePage).arg(*line + 1));
        return false;
    }
    QDir::setCurrent(program.folder);
    const QString path = program.dialogs.saveFileName(parent, QString::fromUtf16(kSaveTitle),
                                                      QString::fromUtf16(kSaveFilter), defaultSuffix);
    if (path.isEmpty())
        return false;
    writeLineFile(path, lines);
    return true;
}

void centreOnMainWindow(QWidget& window, const Program& program) {
    if (const QWidget* main = program.forms.mainWindow)
        window.move(main->frameGeometry().center() - window.rect().center());
}

QToolBar* addToolBar(QWidget& window) {
    auto* bar = new QToolBar(&window);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setFixedHeight(29);
    bar->setMovable(false);
    bar->setFloatable(false);
    return bar;
}

QAction* addToolButton(QToolBar& bar, const char* name, QStyle::StandardPixmap picture, const char16_t* tip) {
    QAction* action = bar.addAction(bar.style()->standardIcon(picture), QString::fromUtf16(tip));
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(QString::fromUtf16(tip));
    bar.widgetForAction(action)->setCursor(Qt::PointingHandCursor);
    return action;
}

} // namespace companion

TForm4::TForm4(Program& program, QWidget* parent) : QWidget(parent, companion::kTitleBar), program_(program) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("  Rapor"));
    setFont(QFont(QStringLiteral("Comic Sans MS"), 8));
    resize(577, 670);
    // Closing the report must never end the program; only the main window does.
    setAttribute(Qt::WA_QuitOnClose, false);

    ToolBar1 = companion::addToolBar(*this);
    ToolButton2 = companion::addToolButton(*ToolBar1, "ToolButton2", QStyle::SP_DialogOpenButton, u"Aç");
    ToolButton4 = companion::addToolButton(*ToolBar1, "ToolButton4", QStyle::SP_DialogSaveButton, u"Kaydet");
    ToolBar1->addSeparator();
    ToolButton6 = companion::addToolButton(*ToolBar1, "ToolButton6", QStyle::SP_FileIcon, u"Yazdır");
    ToolBar1->addSeparator();
    ToolButton7 = companion::addToolButton(*ToolBar1, "ToolButton7", QStyle::SP_DialogCloseButton, u"Çıkış");

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setTabChangesFocus(false);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The same stops as on paper: every eight average character widths.
    Memo1->setTabStopDistance(8 * QFontMetricsF(Memo1->font()).averageCharWidth());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(Memo1);

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(ToolButton2, &QAction::triggered, this, dialogs,
                   [this](auto&&...) { ToolButton2Click(); });
    guardedConnect(ToolButton4, &QAction::triggered, this, dialogs,
                   [this](auto&&...) { ToolButton4Click(); });
    guardedConnect(ToolButton6, &QAction::triggered, this, dialogs,
                   [this](auto&&...) { ToolButton6Click(); });
    guardedConnect(ToolButton7, &QAction::triggered, this, dialogs,
                   [this](auto&&...) { ToolButton7Click(); });

    // Every key reaches the window first, whichever control has the focus.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void TForm4::appendLines(const QStringList& lines) {
    QTextCursor cursor(Memo1->document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    // An empty report takes the first line in place of its one empty line.
    bool first = Memo1->document()->isEmpty();
    for (const QString& line : lines) {
        if (!first)
            cursor.insertBlock();
        first = false;
        cursor.insertText(line);
    }
    cursor.endEditBlock();
    Memo1->moveCursor(QTextCursor::End);
}

QStringList TForm4::lines() const {
    QStringList lines;
    for (QTextBlock block = Memo1->document()->begin(); block.isValid(); block = block.next())
        lines << block.text().split(QChar::LineSeparator);
    return lines;
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && FormKeyPress(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TForm4::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyPress(event))
        QWidget::keyPressEvent(event);
}

void TForm4::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        companion::centreOnMainWindow(*this, program_);
    }
    QWidget::showEvent(event);
}

bool TForm4::FormKeyPress(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape)
        return false;
    close();
    return true;
}

void TForm4::ToolButton2Click() {
    if (const auto lines = companion::chooseAndRead(program_, this))
        Memo1->setPlainText(lines->join(u'\n'));
}

void TForm4::ToolButton4Click() {
    const QStringList report = lines();
    if (isBlank(report)) {
        program_.dialogs.warn(this, QString::fromUtf16(companion::kNothingToSave));
        return;
    }
    companion::chooseAndWrite(program_, this, report, QString::fromUtf16(kSaveSuffix));
}

void TForm4::ToolButton6Click() {
    const QStringList report = lines();
    if (isBlank(report)) {
        program_.dialogs.warn(this, QString::fromUtf16(kNothingToPrint));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle().trimmed());
    if (!program_.dialogs.choosePrinter(this, printer))
        return;
    printLines(printer, Memo1->font(), report);
}

void TForm4::ToolButton7Click() {
    close();
}

} // namespace vezal
