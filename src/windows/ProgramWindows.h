#pragma once

#include "windows/Program.h"

#include <memory>

namespace vezal {

class AboutBox;
class BetsWindow;
class BulletinWindow;
class CouponWindow;
class FixtureWindow;
class ImportWindow;
class HelpWindow;
class LeagueListWindow;
class MainWindow;
class RatingChartWindow;
class ReportWindow;
class ResultsWindow;
class TeamListWindow;
class TrackRecordWindow;

// The windows of a run, created in the fixed order (the main window first, so that it opens the
// table and loads the league list before any other exists), each once, the others hidden; destroyed in
// reverse order, so that no window outlives the main window's queries on the table. The only place that
// knows every window's class: the windows reach each other through Navigation.
class ProgramWindows final : public Navigation {
public:
    explicit ProgramWindows(Program& program);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    MainWindow* main() const { return main_.get(); }
    TeamListWindow* teamList() const { return teamList_.get(); }
    ResultsWindow* results() const { return results_.get(); }
    ReportWindow* report() const { return report_.get(); }
    LeagueListWindow* leagueList() const { return leagueList_.get(); }
    AboutBox* about() const { return about_.get(); }
    HelpWindow* help() const { return help_.get(); }
    CouponWindow* coupon() const { return coupon_.get(); }
    ImportWindow* import() const { return import_.get(); }
    FixtureWindow* fixtures() const { return fixtures_.get(); }
    TrackRecordWindow* trackRecord() const { return trackRecord_.get(); }
    RatingChartWindow* ratingChart() const { return ratingChart_.get(); }
    BetsWindow* bets() const { return bets_.get(); }
    BulletinWindow* bulletin() const { return bulletin_.get(); }

    QWidget* mainWindow() const override;
    LeagueSelector& leagueSelector() override;
    void openLeagueList(const QStringList& names) override;
    void openTeamList() override;
    void openResults(const QDate& day) override;
    void openAbout() override;
    void openImport() override;
    void openFixtures() override;
    void showReport() override;
    void showHelp() override;
    void showCoupon() override;
    void openTrackRecord(const QString& league) override;
    void showBets() override;
    void showRatingChart(const QString& team) override;
    void openBulletin() override;
    void predictPairing(const PairingToPredict& pairing) override;
    void addToReport(const QStringList& lines) override;
    void addToCoupon(const QString& line, const CouponPairing& pairing) override;

private:
    Program& program_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<TeamListWindow> teamList_;
    std::unique_ptr<ResultsWindow> results_;
    std::unique_ptr<ReportWindow> report_;
    std::unique_ptr<LeagueListWindow> leagueList_;
    std::unique_ptr<AboutBox> about_;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<CouponWindow> coupon_;
    std::unique_ptr<ImportWindow> import_;
    std::unique_ptr<FixtureWindow> fixtures_;
    std::unique_ptr<TrackRecordWindow> trackRecord_;
    std::unique_ptr<RatingChartWindow> ratingChart_;
    std::unique_ptr<BetsWindow> bets_;
    std::unique_ptr<BulletinWindow> bulletin_;
};

} // namespace vezal
