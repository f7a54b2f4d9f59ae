#pragma once

#include "evidence/TrackRecord.h"

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

struct FigureRow {
    const char16_t* label;
    std::function<QString(const TrackFigures&)> cell;
};

// The program's figures, the baselines, the flat stakes, then the goals model's.
const std::vector<FigureRow>& figureRows();

} // namespace vezal
