#pragma once

#include "exchange/SourceFetch.h"

#include <QDate>
#include <QDialog>
#include <functional>
#include <utility>

class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;

namespace vezal {

class Program;

// "  WEB'DEN LİG AL": football-data.co.uk's leagues to take. Each league ticked is listed when it is not
// yet, gets this season's file as its source, and is filled with the seasons asked for and this one, so
// that a first league can be predicted at once.
class WebLeaguesDialog : public QDialog {
    Q_OBJECT
public:
    explicit WebLeaguesDialog(Program& program, QWidget* parent = nullptr);

    // Where a league's file of the season on that day lies: the site, unless a test gives its own files.
    std::function<QString(const QString& code, const QDate& day)> addressOf;
    FetchOptions fetch;

private:
    void onTake();

    Program& program_;
    QListWidget* leagueList = nullptr;   // WebLeagueList: the site's leagues, ticked to be taken
    QSpinBox* seasonsBox = nullptr;      // PastSeasonsBox: how many seasons before this one
    QPushButton* takeButton = nullptr;   // TakeButton: "Ligleri Al"
    QPushButton* cancelButton = nullptr; // CancelButton: "Vazgeç"
    // The line a mouse press went down on and its tick then, to tell a click on the box from one beside it.
    std::pair<QListWidgetItem*, Qt::CheckState> pressedState_{nullptr, Qt::Unchecked};
};

} // namespace vezal
