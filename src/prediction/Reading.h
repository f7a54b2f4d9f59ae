#pragma once

#include <QString>
#include <QVariant>

// How the figure boxes show a league-table row, and how their texts read back as numbers.
// The prediction works on what the boxes show, so the window and the companion both go through here.
namespace vezal {

// A rating as the boxes show it: "0.000" in the Turkish way ("3,570"), no thousands separator.
QString formatRating(double rating);

// A figure box's text as a number (Turkish decimal comma); 0 when it is not a finite number.
double readFigure(const QString& text);

// A rating box's text: as readFigure, and 0 when the value is not above 0.
double readRating(const QString& text);

// A games box's text as a whole number; 0 when the text is not one.
int readGames(const QString& text);

// The rating the prediction will use for a rating the table holds: shown with three decimals, read back.
double ratingAsShown(double rating);

// One team's row of the home or away league table, as the query returns it (null where a sum is empty).
struct LeagueTableRow {
    QVariant toplam; // rating in the league
    QVariant oy;     // games
    QVariant gol;    // goals scored
    QVariant ygol;   // goals conceded
};

// The texts of one side's four figure boxes ("Puanlar", "Oyun", "A", "Y").
struct FigureTexts {
    QString rating;
    QString games;
    QString goalsFor;
    QString goalsAgainst;
};

// The rating in "0.000"; a count only when it is present and 0 or more, as a whole number.
FigureTexts figureTexts(const LeagueTableRow& row);

// The number of characters (not UTF-16 units, not bytes) of a text.
qsizetype characterCount(const QString& text);

} // namespace vezal
