#pragma once

#include "prediction/Panel.h"

#include <initializer_list>
#include <utility>

namespace vezal::testing_support {

// A panel with both teams chosen and the given boxes filled, e.g. {{9, "1"}, {13, "2"}}.
inline ComparisonPanel panelWith(std::initializer_list<std::pair<int, const char*>> boxes,
                                 const char* home = "Kartal", const char* away = "Bolu") {
    ComparisonPanel panel;
    panel.comboBox3 = {QString::fromUtf8(home), true};
    panel.comboBox4 = {QString::fromUtf8(away), true};
    for (const auto& [number, text] : boxes)
        panel.memo(number) = QString::fromUtf8(text);
    return panel;
}

} // namespace vezal::testing_support
