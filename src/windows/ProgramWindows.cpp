#include "windows/ProgramWindows.h"

#include "windows/AboutBox.h"
#include "windows/CouponWindow.h"
#include "windows/Dialogs.h"
#include "windows/HelpWindow.h"
#include "windows/LeagueListWindow.h"
#include "windows/MainWindow.h"
#include "windows/ReportWindow.h"
#include "windows/ResultsWindow.h"
#include "windows/TeamListWindow.h"

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
}

ProgramWindows::~ProgramWindows() {
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

void ProgramWindows::showReport() {
    showAndRaise(*report_);
}

void ProgramWindows::showHelp() {
    help_->showOrRaise();
}

void ProgramWindows::showCoupon() {
    showAndRaise(*coupon_);
}

void ProgramWindows::addToReport(const QStringList& lines) {
    report_->appendLines(lines);
}

QStringList ProgramWindows::couponLines() const {
    return coupon_->lines();
}

void ProgramWindows::addToCoupon(const QString& line) {
    coupon_->appendLine(line);
}

} // namespace vezal
