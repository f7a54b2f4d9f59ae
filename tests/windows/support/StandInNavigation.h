#pragma once

#include "prediction/Coupon.h"
#include "windows/Program.h"

#include <QStringList>
#include <QWidget>

namespace vezal::testing {

// A main window that is only a widget, for a window tested on its own: it is shown again and centred
// over; nothing else is there to open.
class StandInNavigation final : public Navigation, public LeagueSelector {
public:
    explicit StandInNavigation(QWidget* mainWindow) : main_(mainWindow) {}

    QWidget* mainWindow() const override { return main_; }
    LeagueSelector& leagueSelector() override { return *this; }
    void openLeagueList(const QStringList&) override {}
    void openTeamList() override {}
    void openResults(const QDate&) override {}
    void openAbout() override {}
    void openImport() override {}
    void openFixtures() override {}
    void showReport() override {}
    void showHelp() override {}
    void showCoupon() override {}
    void openTrackRecord(const QString&) override {}
    void showBets() override {}
    void showRatingChart(const QString&) override {}
    void openBulletin() override {}
    void predictPairing(const PairingToPredict&) override {}
    void addToReport(const QStringList&) override {}
    void addToCoupon(const QString&, const CouponPairing&) override {}
    void loadLeagues() override {}
    void showLeague(const QString&) override {}
    QString loadedLeague() const override { return {}; }

private:
    QWidget* main_;
};

} // namespace vezal::testing
