#include "ScriptedDialogs.h"

#include <QDialog>

namespace vezal::testing {

void ScriptedDialogs::warn(QWidget*, const QString& text) { asked.push_back({"warn", {}, text, {}}); }

bool ScriptedDialogs::ask(QWidget*, const QString& title, const QString& text, bool yesIsDefault) {
    asked.push_back({"ask", title, text, yesIsDefault ? "yes" : "no"});
    if (questionAnswers.empty())
        return false;
    const bool yes = questionAnswers.front();
    questionAnswers.pop_front();
    return yes;
}

void ScriptedDialogs::showError(QWidget*, const QString& text) { asked.push_back({"error", {}, text, {}}); }

QString ScriptedDialogs::openFileName(QWidget*, const QString& title, const QString& filter) {
    asked.push_back({"open", title, filter, {}});
    if (fileAnswers.empty())
        return {};
    QString path = fileAnswers.front();
    fileAnswers.pop_front();
    return path;
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString& title, const QString& filter,
                                      const QString& defaultSuffix) {
    asked.push_back({"save", title, filter, defaultSuffix});
    if (fileAnswers.empty())
        return {};
    QString path = fileAnswers.front();
    fileAnswers.pop_front();
    return path;
}

bool ScriptedDialogs::choosePrinter(QWidget*, QPrinter& printer) {
    asked.push_back({"print", {}, {}, {}});
    return onPrint ? onPrint(printer) : false;
}

void ScriptedDialogs::showModal(QDialog* dialog) {
    asked.push_back({"modal", dialog->objectName(), {}, {}});
    dialog->setModal(true);
    dialog->show();
}

void ScriptedDialogs::openAddress(const QString& address) { asked.push_back({"address", {}, address, {}}); }

QStringList ScriptedDialogs::warnings() const {
    QStringList texts;
    for (const auto& a : asked)
        if (a.kind == "warn")
            texts << a.text;
    return texts;
}

QStringList ScriptedDialogs::errors() const {
    QStringList texts;
    for (const auto& a : asked)
        if (a.kind == "error")
            texts << a.text;
    return texts;
}

} // namespace vezal::testing
