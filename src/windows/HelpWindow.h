#pragma once

#include "windows/Program.h"

#include <QStringList>
#include <QWidget>

class QKeyEvent;
class QPlainTextEdit;

namespace vezal {

// The help window "Vezal Yardım": the fixed help text, beside the main window; Escape closes it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(Program& program, QWidget* parent = nullptr);

    // The help text, one entry per line.
    static QStringList helpLines();

    // Shows the window over the main window, or brings it forward when it is already shown.
    void showOrRaise();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Program& program_;
    QPlainTextEdit* helpText = nullptr; // Memo1: the help text, read-only, unwrapped
};

} // namespace vezal
