#pragma once

#include "windows/Program.h"

#include <QStringList>
#include <QWidget>

class QAction;
class QListWidget;
class QToolBar;

namespace vezal {

// The coupon window: one coupon line per prediction, loaded, saved and pruned by the user. Closing only
// hides it.
class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(Program& program, QWidget* parent = nullptr);

    // The coupon lines in list order (the coupon builder compares a new line against them).
    QStringList lines() const;
    // Adds a line at the end of the list, whether the window is shown or not.
    void appendLine(const QString& line);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ToolButton6Click();
    void ToolButton2Click();
    void ToolButton4Click();
    void ToolButton5Click();

    Program& program_;
    QToolBar* ToolBar1;    // ToolBar1: the four actions
    QAction* ToolButton6;  // ToolButton6: "Aç", open a coupon file
    QAction* ToolButton2;  // ToolButton2: "Kaydet", save the coupon
    QAction* ToolButton4;  // ToolButton4: "Satır Sil", delete the selected line
    QAction* ToolButton5;  // ToolButton5: "Tümünü Sil", delete every line
    QListWidget* ListBox1; // ListBox1: the coupon lines
    bool placed_ = false;  // centred once; afterwards the user's placement stays
};

} // namespace vezal
