#pragma once

#include "store/MatchTable.h"
#include "windows/Program.h"

#include <QFont>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

class QAction;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QStatusBar;
class QTableView;
class QTimer;

namespace vezal {

class ComparisonPanel;
class Database;
class GridModel;
class TAboutBox;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm7;
class TForm8;

// The font of the program's windows; main() lets "Comic Neue" stand in where "Comic Sans MS" is missing.
QFont windowFont();

// Places a window centred over another one (or over its screen when there is none).
void centreOver(QWidget* window, const QWidget* over);

// The main window: the league selector, the league view, the comparison panel, the menu that opens every
// other window and the scrolling caption. It owns the one connection to the table Liste.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(Program& program, QWidget* parent = nullptr);
    ~TForm1() override;

    // Table1: the table Liste, opened at start. Every write through it is committed when it returns, so
    // no save-changes step follows a post or a delete. Throws StoreError when the table could not be opened.
    MatchTable& Table1();

    // The league selector's items, in its sorted order.
    QStringList leagues() const;
    // Puts a name in its sorted place; the selection stays as it was.
    void addLeague(const QString& name);
    // klasman.dat into the selector, replacing its items, nothing selected. On a file error the items stay.
    void loadLeagues();
    // The selector to klasman.dat in its order.
    void saveLeagues();

    // The league whose view is shown; empty when none.
    QString loadedLeague() const;

    // Empties the league view, the team lists and the comparison panel before an administration window.
    void resetView();
    // Empties every box of the comparison panel.
    void Temizle1();
    // Empties the home side's figures, the prediction and the match number.
    void Temizle2();
    // Empties the away side's figures, the prediction and the match number.
    void Temizle3();

    static QString initialCaption();
    // One tick of the scrolling caption.
    void Timer1Timer();

signals:
    // The main window closed for good; the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    QWidget* buildTopBar();
    QWidget* buildLeftBlock();
    QWidget* buildComparisonPanel();
    QWidget* buildRightBlock();
    void FormCreate();
    void connectLeagueView();
    void connectPanel();

    // The league view.
    void ComboBox1Change();
    void fillTeamLists();
    void ComboBox2Change();
    void Button3Click();
    void Button4Click();
    void Button7Click();
    void Button5Click();
    void showTeamHistory(HistorySide side);
    // DBGrid3 on one of its two queries.
    void showHistoryOf(GridModel* query);

    // The comparison panel.
    void ComboBox3Change();
    void ComboBox4Change();
    void DBGrid1CellClick();
    void DBGrid2CellClick();
    void Button1Click();
    void Button6Click();
    void Button2Click();
    // The commentary lines to the report, then the coupon line to the coupon unless it is there.
    void yorum(const QStringList& lines);
    void kupon(const QString& line);
    // The panel's boxes and choosers as the core takes them, and back.
    ComparisonPanel readPanel() const;
    void writePanel(const ComparisonPanel& panel);

    void Ligler1Click();
    void akmlar1Click();
    void SonuGiri1Click();
    void YorumRaporlar1Click();
    void k1Click();
    void Hakknda1Click();
    void Yardm2Click();

    Program& program_;
    std::unique_ptr<Database> database_;
    std::unique_ptr<MatchTable> table_;
    QString tableError_;                 // why the table did not open, repeated to whoever needs it
    bool leagueListRead_ = false;        // whether the selector holds what klasman.dat held
    double totalGoals_ = 0;              // total expected goals of the last prediction that got that far
    std::array<QLineEdit*, 26> memos_{}; // MemoN at index N, for the panel's boxes

    QAction* Ligler1 = nullptr;        // Ligler1: "Ligler", the league list window
    QAction* akmlar1 = nullptr;        // akmlar1: "Takımlar", the team list window
    QAction* N2 = nullptr;             // N2: separator
    QAction* SonuGiri1 = nullptr;      // SonuGiri1: "Sonuç Giriş", the results window
    QAction* YorumRaporlar1 = nullptr; // YorumRaporlar1: "Raporlar", the report window
    QAction* N1 = nullptr;             // N1: separator
    QAction* k1 = nullptr;             // k1: "Çıkış", closes the program
    QAction* Hakknda1 = nullptr;       // Hakknda1: "Hakkında", the about box
    QAction* Yardm2 = nullptr;         // Yardm2: "Yardım", the help window

    QComboBox* ComboBox1 = nullptr; // ComboBox1: league selector, sorted, no free text
    QLineEdit* Edit1 = nullptr;     // Edit1: hidden, the loaded league

    QTableView* DBGrid1 = nullptr; // DBGrid1: home table
    QTableView* DBGrid2 = nullptr; // DBGrid2: away table
    QTableView* DBGrid3 = nullptr; // DBGrid3: match history, whole league or one team
    GridModel* Query1 = nullptr;   // Query1: home table query
    GridModel* Query2 = nullptr;   // Query2: away table query
    GridModel* Query3 = nullptr;   // Query3: the whole league's history
    GridModel* Query4 = nullptr;   // Query4: one team's history

    QComboBox* ComboBox2 = nullptr;  // ComboBox2: team filter of the history
    QPushButton* Button3 = nullptr;  // Button3: "Hepsi", the team's matches
    QPushButton* Button4 = nullptr;  // Button4: "İç", the team's home matches
    QPushButton* Button7 = nullptr;  // Button7: "Dış", the team's away matches
    QPushButton* Button5 = nullptr;  // Button5: "Tüm Maçlar", the whole league's history
    QListWidget* ListBox1 = nullptr; // ListBox1: hidden, the prediction's score candidates

    QComboBox* ComboBox3 = nullptr; // ComboBox3: home team chooser
    QComboBox* ComboBox4 = nullptr; // ComboBox4: away team chooser
    QLineEdit* Memo25 = nullptr;    // Memo25: match number, typed by the user
    QLineEdit* Memo1 = nullptr;     // Memo1: home rating
    QLineEdit* Memo2 = nullptr;     // Memo2: away rating
    QLineEdit* Memo3 = nullptr;     // Memo3: home games
    QLineEdit* Memo4 = nullptr;     // Memo4: away games
    QLineEdit* Memo5 = nullptr;     // Memo5: home goals scored
    QLineEdit* Memo6 = nullptr;     // Memo6: away goals scored
    QLineEdit* Memo7 = nullptr;     // Memo7: home goals conceded
    QLineEdit* Memo8 = nullptr;     // Memo8: away goals conceded
    QPushButton* Button1 = nullptr; // Button1: "Tahmin", the prediction
    QPushButton* Button6 = nullptr; // Button6: "Yorum", the report window
    QPushButton* Button2 = nullptr; // Button2: "Kupon", the coupon window
    QLineEdit* Memo9 = nullptr;     // Memo9: first result sign
    QLineEdit* Memo10 = nullptr;    // Memo10: second result sign
    QLineEdit* Memo11 = nullptr;    // Memo11: third result box, always empty
    QLineEdit* Memo12 = nullptr;    // Memo12: under/over estimate
    QLineEdit* Memo13 = nullptr;    // Memo13: predicted home goals
    QLineEdit* Memo14 = nullptr;    // Memo14: predicted away goals
    QLineEdit* Memo15 = nullptr;    // Memo15: alternative score 1, home
    QLineEdit* Memo16 = nullptr;    // Memo16: alternative score 1, away
    QLineEdit* Memo17 = nullptr;    // Memo17: alternative score 2, home
    QLineEdit* Memo18 = nullptr;    // Memo18: alternative score 2, away
    QLineEdit* Memo19 = nullptr;    // Memo19: alternative score 3, home
    QLineEdit* Memo20 = nullptr;    // Memo20: alternative score 3, away
    QLineEdit* Memo21 = nullptr;    // Memo21: total goals band

    QStatusBar* StatusBar1 = nullptr; // StatusBar1: the maker's web page address
    QTimer* Timer1 = nullptr;         // Timer1: scrolls the caption every 500 ms
};

// The eight windows of a run, created in the fixed order (the main window first, so that it opens the
// table and loads the league list before any other exists), each once, the others hidden; destroyed in
// reverse order, so that no window outlives the main window's table.
class Windows {
public:
    explicit Windows(Program& program);
    ~Windows();
    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;

private:
    Program& program_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<TForm5> form5_;
    std::unique_ptr<TAboutBox> aboutBox_;
    std::unique_ptr<TForm7> form7_;
    std::unique_ptr<TForm8> form8_;
};

} // namespace vezal
