#pragma once

#include "windows/Program.h"

#include <QWidget>

namespace vezal {

// Placeholder until the window is built: it exists, hidden, with its caption.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(Program& program, QWidget* parent = nullptr);

private:
    Program& program_;
};

} // namespace vezal
