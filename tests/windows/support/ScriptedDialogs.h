#pragma once

#include "windows/Dialogs.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

class QDialog;

namespace vezal::testing {

// Records every dialog a window asks for and answers from a script. An unscripted question is answered
// No, an unscripted file dialog is cancelled, an unscripted print dialog is cancelled.
class ScriptedDialogs : public Dialogs {
public:
    struct Asked {
        // "warn", "ask", "error", "inform", "open", "save", "print", "modal", "address", "waiting" (a wait
        // notice shown), "waited" (taken down)
        QString kind;
        QString title; // ask, inform, open, save: the title; modal: the dialog's objectName
        QString text;  // warn, ask, error, inform, waiting: the text; open, save: the filter; address: it
        QString extra; // ask: "yes" or "no" default button; save: the default file name; warn: "warning
                       // icon" when the box has it
    };

    void warn(QWidget* parent, const QString& text) override;
    void caution(QWidget* parent, const QString& text) override;
    bool ask(QWidget* parent, const QString& title, const QString& text, bool yesIsDefault) override;
    // Recorded as "choose" with the choices joined by '|' in extra.
    std::optional<int> choose(QWidget* parent, const QString& title, const QString& text,
                              const QStringList& choices) override;
    void showError(QWidget* parent, const QString& text) override;
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    bool showWaiting(QWidget* parent, const QString& text) override;
    void endWaiting() override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& defaultName) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    void showModal(QDialog* dialog) override;
    void openAddress(const QString& address) override;

    // Script.
    void answerNextQuestion(bool yes) { questionAnswers.push_back(yes); }
    void answerNextFileDialog(const QString& path) { fileAnswers.push_back(path); }
    // An unscripted choice is cancelled.
    void answerNextChoice(std::optional<int> chosen) { choiceAnswers.push_back(chosen); }
    // Called with the printer when the print dialog is asked; return false to cancel.
    std::function<bool(QPrinter&)> onPrint;
    // Asked at each call while a wait notice is shown; return false to press its cancel button.
    std::function<bool()> onWaiting;
    // Called with every dialog asked for, as it is asked (to see the program's state at that moment).
    std::function<void(const Asked&)> onAsked;

    // Record.
    std::vector<Asked> asked;
    QStringList warnings() const; // texts of warn(), in order
    QStringList errors() const;   // texts of showError(), in order
    void clear() { asked.clear(); }

private:
    void record(Asked asked);
    std::deque<bool> questionAnswers;
    std::deque<QString> fileAnswers;
    std::deque<std::optional<int>> choiceAnswers;
    bool waiting_ = false;
};

} // namespace vezal::testing
