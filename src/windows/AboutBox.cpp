#include "windows/AboutBox.h"

#include "windows/Dialogs.h"
#include "windows/Maker.h"
#include "windows/WindowKit.h"

#include <QApplication>
#include <QDir>
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

AboutBox::AboutBox(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Hakkında"));
    setDialogTitleBar(this);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    // One line taller than the product's box, for the data folder under the rights lines.
    setFixedSize(298, 231);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 8, 281, 179);

    iconLabel = new QLabel(panel);
    iconLabel->setObjectName(QStringLiteral("ProgramIcon"));
    iconLabel->setGeometry(8, 8, 32, 32);
    iconLabel->setScaledContents(true);
    const QIcon icon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_ComputerIcon)
                                                           : QApplication::windowIcon();
    iconLabel->setPixmap(icon.pixmap(32, 32));

    QFont bold = font();
    bold.setBold(true);
    productLabel =
        makeLabel(panel, "ProductName", QStringLiteral("Futbol Vezal  2.0"), {52, 8, 220, 16}, bold);
    initialsLabel = makeLabel(panel, "Initials", QString::fromUtf16(maker::kInitials), {52, 26, 220, 16},
                              tahoma(8, true));
    creditLabel =
        makeLabel(panel, "Credit", QString::fromUtf16(maker::kCreditLine), {8, 48, 265, 30}, tahoma(8));
    creditLabel->setWordWrap(true);
    webPageLabel =
        makeLabel(panel, "Label1", QString::fromUtf16(maker::kWebAddress), {8, 82, 265, 16}, tahoma(8));
    mailLabel =
        makeLabel(panel, "Label2", QString::fromUtf16(maker::kMailAddress), {8, 100, 265, 16}, tahoma(8));
    makeLink(webPageLabel);
    makeLink(mailLabel);
    webPageLabel->installEventFilter(this);
    mailLabel->installEventFilter(this);
    rightsLabel1 = makeLabel(panel, "Label3", QString::fromUtf16(maker::kRights1), {8, 124, 265, 14},
                             tahoma(7, false, true));
    rightsLabel2 = makeLabel(panel, "Label4", QString::fromUtf16(maker::kRights2), {8, 140, 265, 14},
                             tahoma(7, false, true));

    // A long path keeps its start and its last folder; the tool tip holds all of it.
    const QString folder = QDir::toNativeSeparators(program_.folder);
    folderLabel = makeLabel(panel, "DataFolderLabel", {}, {8, 158, 265, 14}, font());
    folderLabel->setText(folderLabel->fontMetrics().elidedText(QStringLiteral("Veri klasörü: ") + folder,
                                                               Qt::ElideMiddle, folderLabel->width()));
    folderLabel->setToolTip(folder);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("OKButton"));
    okButton->setGeometry((298 - 75) / 2, 196, 75, 25);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, [this] { onOk(); });
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == webPageLabel) {
            onWebPage();
            return true;
        }
        if (watched == mailLabel) {
            onMail();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AboutBox::onOk() {
    accept();
}

// Whether a browser answers is not examined; the box stays open.
void AboutBox::onWebPage() {
    program_.dialogs.openAddress(QString::fromUtf16(maker::kWebPage));
}

void AboutBox::onMail() {
    program_.dialogs.openAddress(QStringLiteral("mailto:") + QString::fromUtf16(maker::kMailAddress));
    accept();
}

} // namespace vezal
