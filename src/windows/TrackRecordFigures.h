#pragma once

#include "evidence/TrackRecord.h"
#include "exchange/CsvWriter.h"

#include <QList>
#include <QStringList>

#include <QString>
#include <functional>
#include <optional>
#include <vector>

// The rows of the Başarı window's table: each figure's label and how a column's figures show it, in the
// program's Turkish number format.
namespace vezal {

// Rounded as shown, so that a tiny negative sum is no "-0,00".
QString decimalText(double value, int decimals);
// "%58,3", and "-%12,5" below zero.
QString percentText(double percent);
QString countText(int count);
// A season as a chart's axis has room for: "2008-09" as "08-09".
QString shortSeasonText(const QString& season);
// "hits / counted  (%p)".
QString tallyText(const Tally& tally);
// A mean score with four decimals; "-" over no matches.
QString meanText(const std::optional<double>& mean);

// One figure of a column: what kind of number it is, and the number.
struct Figure {
    enum class Kind { Count, Tally, Units, Percent, Mean };
    Kind kind = Kind::Count;
    Tally tally;                  // Count: the count as its hits; Tally: hits of counted
    std::optional<double> number; // Units, Percent, Mean: none when there is nothing to show

    static Figure count(int count) { return {Kind::Count, {count, 0}, std::nullopt}; }
    static Figure of(const Tally& tally) { return {Kind::Tally, tally, std::nullopt}; }
    static Figure units(double units) { return {Kind::Units, {}, units}; }
    static Figure percent(const std::optional<double>& percent) { return {Kind::Percent, {}, percent}; }
    static Figure mean(const std::optional<double>& mean) { return {Kind::Mean, {}, mean}; }
};

// As the table shows it: "93 / 203  (%45,8)", "12,50", "%4,2", "0,2134"; "-" for nothing to show.
QString figureText(const Figure& figure);

struct FigureRow {
    const char16_t* label;
    std::function<Figure(const TrackFigures&)> figure;

    QString cell(const TrackFigures& figures) const { return figureText(figure(figures)); }
};

// The program's figures, the baselines, the flat stakes, then the goals model's.
const std::vector<FigureRow>& figureRows();

// The title of the column of the whole walk, before the seasons'.
inline constexpr const char16_t* kAllSeasons = u"Tümü";

// The table as CSV lines of numbers a spreadsheet sums: the titles, then a line per figure, a tally in three
// lines of its own (hits, counted, percent), a percent without its sign, nothing where the table shows "-".
QList<QStringList> figureLines(const TrackRecord& record, CsvForm form);

} // namespace vezal
