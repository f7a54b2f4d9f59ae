#pragma once

#include "prediction/Coupon.h"
#include "windows/Program.h"

#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

class QAction;
class QListWidget;
class QToolBar;

namespace vezal {

// The coupon window: one coupon line per prediction, loaded, saved and pruned by the user. Closing only
// hides it.
class CouponWindow : public QWidget {
    Q_OBJECT
public:
    explicit CouponWindow(Program& program, QWidget* parent = nullptr);

    // The coupon lines in list order (the coupon builder compares a new line against them).
    QStringList lines() const;
    // The same with the pairing each line predicts, where the program made the line.
    std::vector<CouponEntry> entries() const;
    // Adds a line at the end of the list, whether the window is shown or not.
    void appendLine(const QString& line, const std::optional<CouponPairing>& pairing = std::nullopt);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void onOpen();
    void onSave();
    void onDeleteLine();
    void onDeleteAll();
    void onSaveAsBet();

    Program& program_;
    QToolBar* toolBar;         // ToolBar1: the four actions
    QAction* openAction;       // ToolButton6: "Aç", open a coupon file
    QAction* saveAction;       // ToolButton2: "Kaydet", save the coupon
    QAction* deleteLineAction; // ToolButton4: "Satır Sil", delete the selected line
    QAction* deleteAllAction;  // ToolButton5: "Tümünü Sil", delete every line
    QAction* betAction;        // BetAction: "Bahis Olarak Kaydet", the lines as a bet
    QListWidget* couponList;   // ListBox1: the coupon lines
    bool placed_ = false;      // centred once; afterwards the user's placement stays
};

} // namespace vezal
