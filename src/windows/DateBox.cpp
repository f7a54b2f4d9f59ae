#include "windows/DateBox.h"

#include "common/Names.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

namespace vezal {

DateBox::DateBox(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    lineEdit()->installEventFilter(this);
}

bool DateBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit()) {
        if (event->type() == QEvent::MouseButtonRelease) {
            // Once the click has placed the cursor: its section is selected, so that digits replace it.
            QTimer::singleShot(0, this, [this] {
                typed_.clear();
                setSelectedSection(currentSection());
            });
        }
    }
    return QDateEdit::eventFilter(watched, event);
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && text.size() == 1 && text.front().isDigit() && typeDigit(text.front())) {
        event->accept();
        return;
    }
    const bool confirming = movedOn_ && text == QStringLiteral(".");
    movedOn_ = false;
    typed_.clear(); // any other key ends the typing of a section
    if (confirming) {
        event->accept();
        return;
    }
    QDateEdit::keyPressEvent(event);
}

bool DateBox::typeDigit(QChar digit) {
    const Section section = currentSection();
    if (section != DaySection && section != MonthSection && section != YearSection)
        return false;
    if (section != typedSection_)
        typed_.clear();
    typedSection_ = section;
    typed_ += digit;
    movedOn_ = false;
    const qsizetype length = section == YearSection ? 4 : 2;
    if (typed_.size() < length) {
        setSelectedSection(section);
        return true;
    }
    const int value = typed_.toInt();
    typed_.clear();
    const QDate now = date();
    const int day = section == DaySection ? value : now.day();
    const int month = section == MonthSection ? value : now.month();
    const int year = section == YearSection ? value : now.year();
    const QDate wanted(year, month, day);
    if (!wanted.isValid() || wanted < minimumDate() || wanted > maximumDate()) {
        setSelectedSection(section);
        emit impossibleDate(QStringLiteral("%1.%2.%3")
                                .arg(day, 2, 10, QLatin1Char('0'))
                                .arg(month, 2, 10, QLatin1Char('0'))
                                .arg(year, 4, 10, QLatin1Char('0')));
        return true;
    }
    setDate(wanted);
    movedOn_ = section != YearSection;
    setSelectedSection(section == DaySection     ? MonthSection
                       : section == MonthSection ? YearSection
                                                 : section);
    return true;
}

DateBox* makeDateBox(const QString& name, QWidget* parent) {
    auto* picker = new DateBox(parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    picker->setLocale(turkishLocale());
    // Wide enough for any date in the window's font: the widest digit in every place, with room to spare.
    const QFontMetrics metrics(picker->font());
    QChar widest = u'0';
    for (char16_t digit = u'1'; digit <= u'9'; ++digit)
        if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest))
            widest = QChar(digit);
    const QString widestDate = QString(2, widest) + u'.' + QString(2, widest) + u'.' + QString(4, widest);
    const int hinted =
        metrics.horizontalAdvance(picker->locale().toString(picker->minimumDate(), picker->displayFormat()));
    picker->setMinimumWidth(picker->sizeHint().width() +
                            std::max(0, metrics.horizontalAdvance(widestDate) - hinted) +
                            metrics.averageCharWidth());
    return picker;
}

} // namespace vezal
