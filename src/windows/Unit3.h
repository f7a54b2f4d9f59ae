#pragma once

#include "windows/Program.h"

#include <QDialog>

namespace vezal {

// Placeholder until the window is built: it exists, hidden, with its caption.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(Program& program, QWidget* parent = nullptr);

private:
    Program& program_;
};

} // namespace vezal
