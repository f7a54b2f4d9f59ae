#include "windows/Unit6.h"

#include "windows/Dialogs.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace vezal {

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place, QFont font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setFont(font);
    return label;
}

QFont tahoma(int points, bool bold = false, bool italic = false) {
    QFont font(QStringLiteral("Tahoma"), points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void makeLink(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
}

} // namespace

TAboutBox::TAboutBox(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Hakkında"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(298, 213);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 8, 281, 161);

    ProgramIcon = new QLabel(panel);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(8, 8, 32, 32);
    ProgramIcon->setScaledContents(true);
    const QIcon icon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_ComputerIcon)
                                                           : QApplication::windowIcon();
    ProgramIcon->setPixmap(icon.pixmap(32, 32));

    QFont bold = font();
    bold.setBold(true);
    ProductName =
        makeLabel(panel, "ProductName", QStringLiteral("Futbol Vezal  2.0"), {52, 8, 220, 16}, bold);
    Initials = makeLabel(panel, "Initials", QString::fromUtf16(maker::kInitials), {52, 26, 220, 16},
                         tahoma(8, true));
    Credit = makeLabel(panel, "Credit", QString::fromUtf16(maker::kCreditLine), {8, 48, 265, 30}, tahoma(8));
    Credit->setWordWrap(true);
    Label1 = makeLabel(panel, "Label1", QString::fromUtf16(maker::kWebAddress), {8, 82, 265, 16}, tahoma(8));
    Label2 =
        makeLabel(panel, "Label2", QString::fromUtf16(maker::kMailAddress), {8, 100, 265, 16}, tahoma(8));
    makeLink(Label1);
    makeLink(Label2);
    Label1->installEventFilter(this);
    Label2->installEventFilter(this);
    Label3 = makeLabel(panel, "Label3", QString::fromUtf16(maker::kRights1), {8, 124, 265, 14},
                       tahoma(7, false, true));
    Label4 = makeLabel(panel, "Label4", QString::fromUtf16(maker::kRights2), {8, 140, 265, 14},
                       tahoma(7, false, true));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry((298 - 75) / 2, 178, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Label1) {
            Label1Click();
            return true;
        }
        if (watched == Label2) {
            Label2Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::OKButtonClick() {
    accept();
}

// Whether a browser answers is not examined; the box stays open.
void TAboutBox::Label1Click() {
    program_.dialogs.openAddress(QString::fromUtf16(maker::kWebPage));
}

void TAboutBox::Label2Click() {
    program_.dialogs.openAddress(QStringLiteral("mailto:") + QString::fromUtf16(maker::kMailAddress));
    accept();
}

} // namespace vezal
