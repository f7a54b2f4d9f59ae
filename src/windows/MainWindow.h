#pragma once

#include "model/Forecast.h"
#include "model/Markets.h"
#include "model/ScoreGrid.h"
#include "store/MatchTable.h"
#include "windows/Program.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QLabel;
class QComboBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QStatusBar;
class QTableView;
class QTimer;

namespace vezal::model {
class LeagueModel;
}

namespace vezal {

class ComparisonPanel;
class DateBox;
class FirstStartGuide;
class GridModel;
class MarketsWindow;
struct StakeRule;

// The main window: the league selector, the league view (both tables, the history, the team lists), the
// comparison panel with "Tahmin", the menu that opens every other window and the scrolling caption.
// Its pieces live in files of their own: MainWindowLayout (the controls and their places),
// MainWindowLeagueView, MainWindowPanel and MainWindowMenu.
class MainWindow : public QMainWindow, public LeagueSelector {
    Q_OBJECT
public:
    explicit MainWindow(Program& program, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The league selector's items, in its sorted order.
    QStringList leagues() const;
    void loadLeagues() override;
    void showLeague(const QString& name) override;
    // The selector to klasman.dat, merged with what other processes did to the file meanwhile.
    void saveLeagues();

    // The league whose view is shown; empty when none.
    QString loadedLeague() const override;
    // Empties the league view, the team lists and the comparison panel before an administration window.
    void resetView();
    // Shows the league, chooses the teams, sets the day and the odds known and presses "Tahmin"; a team the
    // league lacks stops it.
    void predictPairing(const PairingToPredict& pairing);

    static QString initialCaption();
    // One tick of the scrolling caption.
    void scrollCaption();

signals:
    // The main window closed for good; the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // MainWindowLayout.cpp
    void buildLayout();
    QWidget* buildTopBar();
    QWidget* buildLeftBlock();
    QWidget* buildComparisonPanel();
    QWidget* buildRightBlock();
    void buildStatusLine();

    // MainWindow.cpp
    void openData();

    // MainWindowLeagueView.cpp
    void connectLeagueView();
    void onLeagueChosen();
    void fillTeamLists();
    void fillSeasons(const QString& league);
    void onSeasonChosen();
    static QString allSeasons() { return QStringLiteral("Tümü"); } // the season filter's first choice
    void showSeasonTables();
    // The model a table grid shows: the whole league's or one season's.
    GridModel& shownTable(QTableView* grid) const;
    void onTeamFilterChosen();
    void onTeamMatches();
    void onTeamHomeMatches();
    void onTeamAwayMatches();
    void onLeagueMatches();
    void showTeamHistory(HistorySide side);
    // The history grid on one of its two queries.
    void showHistoryOf(GridModel* query);

    // MainWindowPanel.cpp
    void connectPanel();
    void onHomeTeamChosen();
    void onAwayTeamChosen();
    void onHomeTableClicked();
    void onAwayTableClicked();
    void onPredict();
    void onCommentary();
    void onCoupon();
    // The commentary lines to the report, then the coupon line to the coupon unless it is there.
    void addToReport(const QStringList& lines);
    void addToCoupon(const QString& line);
    // The panel's boxes and choosers as the core takes them, and back.
    ComparisonPanel readPanel() const;
    void writePanel(const ComparisonPanel& panel);
    void clearPanel();

    // MainWindowProbabilities.cpp: the goals model's opinion on the chosen pairing, under the prediction.
    static constexpr int kProbabilityPanelHeight = 118;
    QWidget* buildProbabilityPanel();
    // Fits the league afresh and shows the pairing's probabilities on the panel's day.
    void showProbabilities(const QString& home, const QString& away);
    // The pairing shown again, on the fit already made, after its odds or day changed.
    void refreshProbabilities();
    // The three odds typed in the panel, or none.
    std::optional<model::ThreeWay> panelOdds() const;
    void clearProbabilities();
    void clearOdds();
    // The panel's line for the commentary, when the user asks for it; empty otherwise.
    QString probabilityLine() const;
    // MainWindowBets.cpp: a single bet on the panel's pairing at the odds typed for the outcome chosen.
    void onPanelBet();
    // "Piyasalar": every market of the panel's pairing, and a bet on one of them.
    void onMarkets();
    void showMarkets();
    void placeMarketBet(const model::MarketOutcome& outcome, double odds, double probability, double stake);
    // The bulletin's kept stake settings, so that every place proposes the same stake.
    StakeRule keptStakeRule() const;

    // MainWindowGuide.cpp: the first start's guide in the tables' place while there is no league.
    QWidget* buildTablesOrGuide(QWidget* tables);
    void showGuideWhenEmpty();
    void onLoadSample();
    void onWebLeagues();

    // MainWindowMenu.cpp
    void buildMenu();
    void onLeagues();
    void onTeams();
    void onResults();
    void onReports();
    void onExit();
    void onAbout();
    void onHelp();
    void onImport();
    void onFixtures();
    void onTrackRecord();
    void onUpdateLeagues();
    void onCheckDatabase();
    void onBets();
    void onBulletin(); // MainWindowPairing.cpp

    Program& program_;
    bool leagueListRead_ = false; // whether the selector holds what klasman.dat held
    QStringList leaguesInFile_;   // what klasman.dat held when last read or saved here
    double totalGoals_ = 0;       // total expected goals of the last prediction that got that far

    QAction* leaguesAction = nullptr;    // Ligler1: "Ligler", the league list window
    QAction* teamsAction = nullptr;      // akmlar1: "Takımlar", the team list window
    QAction* resultsAction = nullptr;    // SonuGiri1: "Sonuç Giriş", the results window
    QAction* reportsAction = nullptr;    // YorumRaporlar1: "Raporlar", the report window
    QAction* exitAction = nullptr;       // k1: "Çıkış", closes the program
    QAction* aboutAction = nullptr;      // Hakknda1: "Hakkında", the about box
    QAction* helpAction = nullptr;       // Yardm2: "Yardım", the help window
    QAction* importAction = nullptr;     // ImportAction: "Sonuçları İçe Aktar...", the import window
    QAction* fixturesAction = nullptr;   // FixturesAction: "Fikstür Tahmini...", the fixture window
    QAction* updateAction = nullptr;     // UpdateAction: "Verileri Güncelle", every league from its source
    QAction* webLeaguesAction = nullptr; // WebLeaguesAction: "Web'den Lig Al...", the site's leagues

    QComboBox* leagueBox = nullptr;       // ComboBox1: league selector, sorted, no free text
    QLineEdit* loadedLeagueBox = nullptr; // Edit1: hidden, the loaded league

    // The track record of the chosen league, from the menu and from beside the selector.
    QAction* trackRecordAction = nullptr;     // TrackRecordAction: "Başarı..."
    QAction* checkDatabaseAction = nullptr;   // CheckDatabaseAction: "Veritabanını Denetle ..."
    QAction* betsAction = nullptr;            // BetsAction: "Bahislerim..."
    QPushButton* trackRecordButton = nullptr; // TrackRecordButton: "Başarı"
    QAction* bulletinAction = nullptr;        // BulletinAction: "Haftanın Bülteni ..."
    QPushButton* bulletinButton = nullptr;    // BulletinButton: "Bülten"

    QTableView* homeTableGrid = nullptr; // DBGrid1: home table
    QTableView* awayTableGrid = nullptr; // DBGrid2: away table
    QTableView* historyGrid = nullptr;   // DBGrid3: match history, whole league or one team
    GridModel* homeTableQuery = nullptr; // Query1
    GridModel* awayTableQuery = nullptr; // Query2
    // The season filter: the grids show Query1 and Query2 for "Tümü", these two for one season. The
    // panel and the team lists read Query1 and Query2 whatever the grids show.
    QComboBox* seasonBox = nullptr;          // SeasonBox: "Tümü" or one season
    GridModel* seasonHomeQuery = nullptr;    // SeasonHomeQuery
    GridModel* seasonAwayQuery = nullptr;    // SeasonAwayQuery
    GridModel* leagueHistoryQuery = nullptr; // Query3: the whole league's history
    GridModel* teamHistoryQuery = nullptr;   // Query4: one team's history

    QStackedWidget* tablesOrGuide = nullptr; // TablesOrGuide: the two tables, or the guide without a league
    FirstStartGuide* guide = nullptr;        // FirstStartGuide

    QComboBox* teamFilterBox = nullptr;           // ComboBox2: team filter of the history
    QPushButton* teamMatchesButton = nullptr;     // Button3: "Hepsi", the team's matches
    QPushButton* teamHomeMatchesButton = nullptr; // Button4: "İç", the team's home matches
    QPushButton* teamAwayMatchesButton = nullptr; // Button7: "Dış", the team's away matches
    QPushButton* leagueMatchesButton = nullptr;   // Button5: "Tüm Maçlar", the whole league's history

    struct SideBoxes {
        QLineEdit* points = nullptr;
        QLineEdit* games = nullptr;
        QLineEdit* goalsFor = nullptr;
        QLineEdit* goalsAgainst = nullptr;
    };
    struct ScoreBoxes {
        QLineEdit* home = nullptr;
        QLineEdit* away = nullptr;
    };
    QComboBox* homeTeamBox = nullptr;           // ComboBox3: home team chooser
    QComboBox* awayTeamBox = nullptr;           // ComboBox4: away team chooser
    QLineEdit* matchNumberBox = nullptr;        // Memo25: match number, typed by the user
    SideBoxes homeBoxes;                        // Memo1, Memo3, Memo5, Memo7
    SideBoxes awayBoxes;                        // Memo2, Memo4, Memo6, Memo8
    QPushButton* predictButton = nullptr;       // Button1: "Tahmin"
    QPushButton* commentaryButton = nullptr;    // Button6: "Yorum", the report window
    QPushButton* couponButton = nullptr;        // Button2: "Kupon", the coupon window
    QLineEdit* firstSignBox = nullptr;          // Memo9
    QLineEdit* secondSignBox = nullptr;         // Memo10
    QLineEdit* thirdSignBox = nullptr;          // Memo11: always empty
    QLineEdit* underOverBox = nullptr;          // Memo12
    ScoreBoxes scoreBoxes;                      // Memo13, Memo14
    std::array<ScoreBoxes, 3> alternativeBoxes; // Memo15 .. Memo20
    QLineEdit* goalsBandBox = nullptr;          // Memo21

    QLabel* outcomeLine = nullptr;              // OutcomeProbabilities: 1 / 0 / 2 in percent with fair odds
    QLabel* goalsLine = nullptr;                // GoalsProbabilities: under / over 2,5 and both teams scoring
    QLabel* scoresLine = nullptr;               // LikelyScores: the three most likely scores
    QLabel* valueLine = nullptr;                // ValueLine: each bet's expected value, with odds typed
    std::array<QLineEdit*, 3> oddsBoxes{};      // OddsHomeBox, OddsDrawBox, OddsAwayBox: optional odds
    QCheckBox* addToCommentaryBox = nullptr;    // AddProbabilitiesBox: "Yoruma ekle"
    DateBox* predictionDayBox = nullptr;        // PredictionDayBox: the day predicted, today at start
    QLabel* fitLine = nullptr;                  // FitLine: "16.11.2019 için, 4.103 maç"
    QComboBox* betOutcomeBox = nullptr;         // BetOutcomeBox: 1, 0 or 2 for "Bahis Yap"
    QPushButton* panelBetButton = nullptr;      // PanelBetButton: "Bahis Yap" on the panel's pairing
    QPushButton* panelMarketsButton = nullptr;  // PanelMarketsButton: "Piyasalar" of the panel's pairing
    MarketsWindow* marketsWindow_ = nullptr;    // made on first use
    std::optional<model::ScoreGrid> panelGrid_; // the grid of the forecast the panel shows
    // The league fitted for the pairing the panel shows; kept so that other odds or days need no new read.
    std::unique_ptr<model::LeagueModel> panelModel_;
    QString panelLeague_, panelHome_, panelAway_;

    QStatusBar* statusLine = nullptr; // StatusBar1: the maker's web page address
    QTimer* captionTimer = nullptr;   // Timer1: scrolls the caption every 500 ms
};

} // namespace vezal
