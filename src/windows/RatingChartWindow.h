#pragma once

#include "windows/Program.h"

#include <QDialog>

class QChartView;
class QLabel;
class QPushButton;

namespace vezal {

// A team's home and away points over time: the ratings the prediction reads, after each day the team
// played, over every league. Shown beside the main window.
class RatingChartWindow : public QDialog {
    Q_OBJECT
public:
    explicit RatingChartWindow(Program& program, QWidget* parent = nullptr);

    // Draws the team's ratings and shows the window.
    void showTeam(const QString& team);

private:
    Program& program_;

    QChartView* ratingChart = nullptr;  // RatingChart
    QLabel* noteLabel = nullptr;        // NoteLabel: the team, or that it has not played
    QPushButton* closeButton = nullptr; // CloseButton: "Kapat"
};

} // namespace vezal
