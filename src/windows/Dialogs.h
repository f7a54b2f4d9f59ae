#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace vezal {

// Every message box, question, file dialog, print dialog and modal showing goes through here, so that
// a window can be driven headlessly: the real implementation opens Qt's dialogs, the scripted one in
// the tests records what was asked and answers from a script.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Refused input: title "   UYARI MESAJI", one OK button, question-mark icon.
    virtual void warn(QWidget* parent, const QString& text) = 0;
    // Refused input in the windows that betting and the web brought: the same box with the warning icon.
    virtual void caution(QWidget* parent, const QString& text) = 0;
    // A destructive action's question: Yes and No, question-mark icon; true only for Yes.
    virtual bool ask(QWidget* parent, const QString& title, const QString& text, bool yesIsDefault) = 0;
    // One of several choices, the first proposed; none when the user cancels.
    virtual std::optional<int> choose(QWidget* parent, const QString& title, const QString& text,
                                      const QStringList& choices) = 0;
    // The general error display: a failure the action did not check for itself (file, engine).
    virtual void showError(QWidget* parent, const QString& text) = 0;
    // What an action found, when all is well: one OK button, information icon.
    virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;

    // While a change waits for another process: a notice with the text and a cancel button, shown at the
    // first call and kept until endWaiting(). Each call lets the notice be painted and its button pressed;
    // false once the user pressed it.
    virtual bool showWaiting(QWidget* parent, const QString& text) = 0;
    virtual void endWaiting() = 0;

    // Empty text when the user cancels. The filter is written the program's way ("Text Dosyalar
    // (*.txt)|*.txt|"); the implementation turns it into its own form.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& defaultName) = 0;
    // The print dialog; false when the user cancels.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;

    // Shows a window modally. The real one runs the dialog's own event loop; the scripted one shows it
    // and returns at once so that the test can go on driving it.
    virtual void showModal(QDialog* dialog) = 0;
    // Asks the desktop shell to open an address (web page or mailto:).
    virtual void openAddress(const QString& address) = 0;
};

} // namespace vezal
