#pragma once

#include <QDate>
#include <QString>

namespace vezal::testing {

// A league of 20 teams, T00 to T19, each with a seed row of 5 points, and 600 matches, ten a day from
// `first` on, each team meeting the one seven places after it: enough for the goals model and every listing.
// Written in one transaction through a connection of its own, closed again.
void appendTestLeague(const QString& folder, const QString& league, const QDate& first);

} // namespace vezal::testing
