#include "windows/Unit8.h"

namespace vezal {

TForm8::TForm8(Program& program, QWidget* parent) : QWidget(parent, Qt::Window), program_(program) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("  Kupon"));
}

} // namespace vezal
