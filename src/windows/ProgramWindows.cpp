#include "windows/ProgramWindows.h"

#include "prediction/Coupon.h"
#include "windows/AboutBox.h"
#include "windows/BetsWindow.h"
#include "windows/BulletinWindow.h"
#include "windows/CouponWindow.h"
#include "windows/Dialogs.h"
#include "windows/FixtureWindow.h"
#include "windows/HelpWindow.h"
#include "windows/ImportWindow.h"
#include "windows/LeagueListWindow.h"
#include "windows/MainWindow.h"
#include "windows/RatingChartWindow.h"
#include "windows/ReportWindow.h"
#include "windows/ResultsWindow.h"
#include "windows/TeamListWindow.h"
#include "windows/TrackRecordWindow.h"
#include "windows/WindowPlace.h"

namespace vezal {

namespace {

void showAndRaise(QWidget& window) {
    window.show();
    window.raise();
}

} // namespace

ProgramWindows::ProgramWindows(Program& program) : program_(program) {
    program_.setNavigation(this);
    main_ = std::make_unique<MainWindow>(program);
    teamList_ = std::make_unique<TeamListWindow>(program);
    results_ = std::make_unique<ResultsWindow>(program);
    report_ = std::make_unique<ReportWindow>(program);
    leagueList_ = std::make_unique<LeagueListWindow>(program);
    about_ = std::make_unique<AboutBox>(program);
    help_ = std::make_unique<HelpWindow>(program);
    coupon_ = std::make_unique<CouponWindow>(program);
    // Beyond the program's first eight: created after them, so that those keep their order.
    import_ = std::make_unique<ImportWindow>(program);
    fixtures_ = std::make_unique<FixtureWindow>(program);
    trackRecord_ = std::make_unique<TrackRecordWindow>(program);
    ratingChart_ = std::make_unique<RatingChartWindow>(program);
    bulletin_ = std::make_unique<BulletinWindow>(program);
    bets_ = std::make_unique<BetsWindow>(program);
    for (QWidget* window : std::initializer_list<QWidget*>{
             main_.get(), teamList_.get(), results_.get(), report_.get(), leagueList_.get(), about_.get(),
             help_.get(), coupon_.get(), import_.get(), fixtures_.get(), trackRecord_.get(),
             ratingChart_.get(), bulletin_.get(), bets_.get()})
        keepPlace(window, program);
}

ProgramWindows::~ProgramWindows() {
    bets_.reset();
    bulletin_.reset();
    ratingChart_.reset();
    trackRecord_.reset();
    fixtures_.reset();
    import_.reset();
    coupon_.reset();
    help_.reset();
    about_.reset();
    leagueList_.reset();
    report_.reset();
    results_.reset();
    teamList_.reset();
    program_.setNavigation(nullptr);
    main_.reset();
    program_.closeTable();
}

QWidget* ProgramWindows::mainWindow() const {
    return main_.get();
}

LeagueSelector& ProgramWindows::leagueSelector() {
    return *main_;
}

void ProgramWindows::openLeagueList(const QStringList& names) {
    leagueList_->setLeagues(names);
    program_.dialogs.showModal(leagueList_.get());
}

void ProgramWindows::openTeamList() {
    program_.dialogs.showModal(teamList_.get());
}

void ProgramWindows::openResults(const QDate& day) {
    results_->setDates(day);
    program_.dialogs.showModal(results_.get());
}

void ProgramWindows::openAbout() {
    program_.dialogs.showModal(about_.get());
}

void ProgramWindows::openImport() {
    program_.dialogs.showModal(import_.get());
}

void ProgramWindows::openFixtures() {
    program_.dialogs.showModal(fixtures_.get());
}

void ProgramWindows::showReport() {
    showAndRaise(*report_);
}

void ProgramWindows::showHelp() {
    help_->showOrRaise();
}

void ProgramWindows::showCoupon() {
    showAndRaise(*coupon_);
}

void ProgramWindows::openTrackRecord(const QString& league) {
    trackRecord_->open(league);
}

void ProgramWindows::showBets() {
    bets_->open();
}

void ProgramWindows::showRatingChart(const QString& team) {
    ratingChart_->showTeam(team);
}

void ProgramWindows::openBulletin() {
    bulletin_->open();
}

void ProgramWindows::predictPairing(const PairingToPredict& pairing) {
    main_->predictPairing(pairing);
}

void ProgramWindows::addToReport(const QStringList& lines) {
    report_->appendLines(lines);
}

void ProgramWindows::addToCoupon(const QString& line, const CouponPairing& pairing) {
    QStringList coupon = coupon_->lines();
    if (addCouponLine(coupon, line))
        coupon_->appendLine(line, pairing);
}

} // namespace vezal
