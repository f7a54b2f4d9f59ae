#include "windows/Unit3.h"

namespace vezal {

TForm3::TForm3(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("  MAÇ SONUÇLARI GİRİŞ"));
}

void TForm3::setDates(const QDate&) {}

} // namespace vezal
