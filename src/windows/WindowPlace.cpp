#include "windows/WindowPlace.h"

#include "windows/Program.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMargins>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>
#include <optional>

namespace vezal {

namespace {

const QString kPlacesFile = QStringLiteral("pencereler.ini");
const QString kPlaceKey = QStringLiteral("place");
const QString kMaximisedKey = QStringLiteral("maximised");

QMargins marginsBetween(const QRect& outer, const QRect& inner) {
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The desktop's frame around the window. Until a window has been shown it has none yet: the frame of any
// window shown stands in (the desktop draws them alike), and before the first, a usual title bar's room
// where a desktop draws frames at all.
QMargins frameOf(const QWidget* window) {
    if (window->frameGeometry() != window->geometry())
        return marginsBetween(window->frameGeometry(), window->geometry());
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != window && other->isVisible() && other->frameGeometry() != other->geometry())
            return marginsBetween(other->frameGeometry(), other->geometry());
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return {};
    return {4, 30, 4, 4};
}

// Brings a shown window, not maximised, whole into the free area of the screen under its middle.
void fitIntoScreen(QWidget* window) {
    if (window->isMaximized() || window->isFullScreen())
        return;
    const QMargins frame = frameOf(window);
    const QSize border(frame.left() + frame.right(), frame.top() + frame.bottom());
    // A top-level window's pos() is its frame's corner, its size the inside's.
    const QRect outer(window->pos(), window->size() + border);
    const QScreen* screen = QGuiApplication::screenAt(outer.center());
    if (!screen)
        screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // A window's least size wins over the screen: it then starts at the area's corner.
    window->resize(window->size().boundedTo(area.size() - border));
    window->move(fitFrameInto(QRect(window->pos(), window->size() + border), area).topLeft());
}

class PlaceKeeper : public QObject {
public:
    PlaceKeeper(QWidget* window, QString settingsPath)
        : QObject(window), window_(window), name_(window->objectName()), path_(std::move(settingsPath)) {
        const QSettings settings(path_, QSettings::IniFormat);
        const QRect place = settings.value(name_ + u'/' + kPlaceKey).toRect();
        if (place.isValid() && place.width() > 0 && place.height() > 0) {
            place_ = place;
            maximised_ = settings.value(name_ + u'/' + kMaximisedKey).toBool();
        }
        window->installEventFilter(this);
    }

    ~PlaceKeeper() override {
        // The program ends with windows still shown: their last place is written as they go.
        if (changed_)
            write();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_)
            return false;
        switch (event->type()) {
        case QEvent::Show:
            // Sent before the window reaches the screen. The window's own handler goes first, as it may
            // size and centre the window, so that the kept place and the screen have the last word.
            if (event->spontaneous())
                break;
            static_cast<QObject*>(window_)->event(event); // QObject::event is public, QWidget::event not
            place();
            return true;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            if (window_->isVisible() && !placing_)
                remember();
            break;
        case QEvent::Hide:
            if (!event->spontaneous() && changed_)
                write();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void place() {
        placing_ = true;
        if (place_) {
            window_->resize(place_->size());
            window_->move(place_->topLeft());
        }
        fitIntoScreen(window_);
        if (place_ && maximised_)
            window_->setWindowState(window_->windowState() | Qt::WindowMaximized);
        placing_ = false;
    }

    void remember() {
        if (window_->isMinimized())
            return;
        maximised_ = window_->isMaximized();
        if (maximised_) {
            // The place it comes back to when it is no longer maximised.
            const QRect normal = window_->normalGeometry();
            if (normal.isValid())
                place_ =
                    QRect(normal.topLeft() - (window_->geometry().topLeft() - window_->pos()), normal.size());
        } else {
            place_ = QRect(window_->pos(), window_->size());
        }
        changed_ = true;
    }

    void write() {
        QSettings settings(path_, QSettings::IniFormat);
        settings.beginGroup(name_);
        if (place_)
            settings.setValue(kPlaceKey, *place_);
        settings.setValue(kMaximisedKey, maximised_);
        changed_ = false;
    }

    QWidget* window_;
    const QString name_;
    const QString path_;
    std::optional<QRect> place_; // the frame's corner and the inside's size, as the window was left
    bool maximised_ = false;
    bool changed_ = false;
    bool placing_ = false;
};

} // namespace

QRect fitFrameInto(const QRect& frame, const QRect& area) {
    const QSize size = frame.size().boundedTo(area.size());
    const int x = std::clamp(frame.x(), area.left(), area.right() - size.width() + 1);
    const int y = std::clamp(frame.y(), area.top(), area.bottom() - size.height() + 1);
    return {QPoint(x, y), size};
}

QString placesPath(const QString& folder) {
    return QDir(folder).filePath(kPlacesFile);
}

void keepPlace(QWidget* window, const QString& settingsPath) {
    new PlaceKeeper(window, settingsPath); // owned by the window
}

void keepPlace(QWidget* window, const Program& program) {
    keepPlace(window, placesPath(program.folder));
}

} // namespace vezal
