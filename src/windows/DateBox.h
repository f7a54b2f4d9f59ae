#pragma once

#include <QDateEdit>
#include <QString>

namespace vezal {

// A date box that takes a date typed as one would write it: a click picks the section under the mouse, and
// digits fill it, two for the day and the month, four for the year, moving on to the next. A day that does
// not exist (31.02.2009) is not quietly made another: the box keeps its date and says impossibleDate.
class DateBox : public QDateEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);

signals:
    void impossibleDate(const QString& typed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A digit typed into the current section; true when the box took it.
    bool typeDigit(QChar digit);

    QString typed_; // the digits typed so far into the current section
    Section typedSection_ = NoSection;
    bool movedOn_ = false; // a full section moved the box on: a "." typed next only confirms it
};

// A date box with a calendar, in Turkish, wide enough for any date in its font.
DateBox* makeDateBox(const QString& name, QWidget* parent = nullptr);

} // namespace vezal
