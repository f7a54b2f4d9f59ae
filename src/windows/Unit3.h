#pragma once

#include "windows/Program.h"

#include <QDialog>

namespace vezal {

// Placeholder until the window is built: it exists, hidden, with its caption.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(Program& program, QWidget* parent = nullptr);

    // The main window sets both date pickers (filter date and entry date) before showing the window.
    void setDates(const QDate& day);

private:
    Program& program_;
};

} // namespace vezal
