#pragma once

// What the window benchmarks share: dialogs that answer nothing and void the run when anything
// complains, and finding a window's controls by name.

#include "store/StoreError.h"
#include "windows/Dialogs.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace vezal::bench {

// Answers nothing and shows nothing but modal windows; a warning or error means the run is void.
class SilentDialogs : public Dialogs {
public:
    void warn(QWidget*, const QString& text) override { complaints << text; }
    void caution(QWidget*, const QString& text) override { complaints << text; }
    bool ask(QWidget*, const QString&, const QString&, bool) override { return false; }
    std::optional<int> choose(QWidget*, const QString&, const QString&, const QStringList&) override {
        return std::nullopt;
    }
    void showError(QWidget*, const QString& text) override { complaints << text; }
    void inform(QWidget*, const QString&, const QString&) override {}
    // Nothing else writes the benchmark's own folder: a wait is waited out.
    bool showWaiting(QWidget*, const QString&) override { return true; }
    void endWaiting() override {}
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
    void showModal(QDialog* dialog) override { dialog->show(); }
    void openAddress(const QString&) override {}

    QStringList complaints;
};

inline void requireQuiet(const SilentDialogs& dialogs, const char* during) {
    if (!dialogs.complaints.isEmpty())
        throw StoreError(
            QStringLiteral("%1: %2").arg(QString::fromLatin1(during), dialogs.complaints.first()));
}

template <typename T> T* control(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        throw StoreError(QStringLiteral("no control ") + QString::fromLatin1(name));
    return found;
}

} // namespace vezal::bench
