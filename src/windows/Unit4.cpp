#include "windows/Unit4.h"

namespace vezal {

TForm4::TForm4(Program& program, QWidget* parent) : QWidget(parent, Qt::Window), program_(program) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("  Rapor"));
}

} // namespace vezal
