#include "windows/ToolWindow.h"

#include "store/FileTargets.h"
#include "store/LineFile.h"
#include "windows/Dialogs.h"
#include "windows/WindowKit.h"

#include <QAction>
#include <QDir>
#include <QToolBar>

// The shipped pictures live in this static library: their resource is registered before first use.
static void initToolIcons() {
    Q_INIT_RESOURCE(tool_icons);
}

namespace vezal {

namespace toolwindow {

namespace {

constexpr const char16_t* kNotInCodePage =
    u"%1. satırda Türkçe kod sayfasında olmayan bir karakter var, Dosya Kaydedilmedi  ... ";

} // namespace

std::optional<QStringList> chooseAndRead(Program& program, QWidget* parent) {
    QDir::setCurrent(program.folder);
    const QString path =
        program.dialogs.openFileName(parent, QString::fromUtf16(kOpenTitle), QString::fromUtf16(kOpenFilter));
    if (path.isEmpty())
        return std::nullopt;
    return readLineFile(path);
}

bool chooseAndWrite(Program& program, QWidget* parent, const QStringList& lines, const QString& defaultName) {
    // Windows-1254 would turn such a character into something else without a word.
    if (const auto line = firstLineOutsideCodePage(lines)) {
        program.dialogs.warn(parent, QString::fromUtf16(kNotInCodePage).arg(*line + 1));
        return false;
    }
    QDir::setCurrent(program.folder);
    const QString path = program.dialogs.saveFileName(parent, QString::fromUtf16(kSaveTitle),
                                                      QString::fromUtf16(kSaveFilter), defaultName);
    if (path.isEmpty())
        return false;
    if (const auto refusal = irregularTargetRefusal(path)) {
        program.dialogs.warn(parent, *refusal);
        return false;
    }
    writeLineFile(path, lines);
    return true;
}

void setUp(QWidget& window, const char* objectName, const QString& caption, QSize size) {
    window.setObjectName(QString::fromLatin1(objectName));
    window.setWindowTitle(caption);
    window.setFont(windowFont());
    window.resize(size);
    window.setAttribute(Qt::WA_QuitOnClose, false);
}

QToolBar* addToolBar(QWidget& window) {
    auto* bar = new QToolBar(&window);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setFixedHeight(29);
    bar->setMovable(false);
    bar->setFloatable(false);
    return bar;
}

QIcon pictureOf(Picture picture) {
    initToolIcons();
    struct Source {
        const char* theme;
        const char* shipped;
    };
    static constexpr Source kSources[] = {
        {"document-open", "open"}, {"document-save", "save"},      {"document-print", "print"},
        {"window-close", "close"}, {"edit-delete", "delete-line"}, {"edit-clear", "delete-all"},
    };
    const Source& source = kSources[static_cast<int>(picture)];
    return QIcon::fromTheme(
        QString::fromLatin1(source.theme),
        QIcon(QStringLiteral(":/tool-icons/%1.png").arg(QString::fromLatin1(source.shipped))));
}

QAction* addToolButton(QToolBar& bar, const char* name, Picture picture, const char16_t* tip) {
    QAction* action = bar.addAction(pictureOf(picture), QString::fromUtf16(tip));
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(QString::fromUtf16(tip));
    bar.widgetForAction(action)->setCursor(Qt::PointingHandCursor);
    return action;
}

} // namespace toolwindow

} // namespace vezal
