#include "windows/KeyRules.h"

#include <QKeyEvent>
#include <QWidget>

namespace vezal {

KeyRule::KeyRule(QWidget* widget, Typed typed, std::function<void()> onEnter)
    : QObject(widget), typed_(typed), onEnter_(std::move(onEnter)) {
    widget->installEventFilter(this);
}

KeyRule* KeyRule::install(QWidget* widget, Typed typed, std::function<void()> onEnter) {
    return new KeyRule(widget, typed, std::move(onEnter)); // owned by the widget
}

KeyRule* KeyRule::enterFocuses(QWidget* widget, QWidget* next, Typed typed) {
    return install(widget, typed, [next] { next->setFocus(Qt::OtherFocusReason); });
}

bool KeyRule::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);

    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (!onEnter_)
            return false;
        onEnter_();
        return true;
    }
    if (typed_ == Typed::Anything || key->key() == Qt::Key_Backspace)
        return false;
    const QString text = key->text();
    if (text.isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false; // navigation and editing keys type nothing
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false; // shortcuts such as copy and select-all
    for (const QChar c : text) {
        const bool digit = c >= u'0' && c <= u'9';
        const bool comma = c == u',' && typed_ != Typed::Digits;
        const bool point = c == u'.' && typed_ == Typed::DigitsAndDecimalMark;
        if (!digit && !comma && !point)
            return true; // dropped
    }
    return false;
}

} // namespace vezal
