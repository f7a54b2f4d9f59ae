#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace vezal {

// The keyboard rules of the entry boxes: Enter moves the focus along an entry sequence, and number boxes
// drop every typed character but the digits, Backspace and Enter (and the comma where a decimal is
// allowed). Keys that type nothing (arrows, Delete, Tab) keep their usual effect.
class KeyRule : public QObject {
    Q_OBJECT
public:
    // DigitsAndDecimalMark: a point too, where a decimal may be written either way (odds).
    enum class Typed { Anything, Digits, DigitsAndComma, DigitsAndDecimalMark };

    // The rule is owned by the widget. onEnter runs instead of the widget's own Enter handling.
    static KeyRule* install(QWidget* widget, Typed typed, std::function<void()> onEnter = {});

    // Enter moves the focus to the next widget; the usual case.
    static KeyRule* enterFocuses(QWidget* widget, QWidget* next, Typed typed = Typed::Anything);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyRule(QWidget* widget, Typed typed, std::function<void()> onEnter);
    Typed typed_;
    std::function<void()> onEnter_;
};

} // namespace vezal
