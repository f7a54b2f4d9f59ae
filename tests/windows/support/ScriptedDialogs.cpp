#include "ScriptedDialogs.h"

#include <QDialog>

namespace vezal::testing {

void ScriptedDialogs::record(Asked entry) {
    asked.push_back(std::move(entry));
    if (onAsked)
        onAsked(asked.back());
}

void ScriptedDialogs::warn(QWidget*, const QString& text) {
    record({"warn", {}, text, {}});
}

void ScriptedDialogs::caution(QWidget*, const QString& text) {
    record({"warn", {}, text, QStringLiteral("warning icon")});
}

bool ScriptedDialogs::ask(QWidget*, const QString& title, const QString& text, bool yesIsDefault) {
    record({"ask", title, text, yesIsDefault ? "yes" : "no"});
    if (questionAnswers.empty())
        return false;
    const bool yes = questionAnswers.front();
    questionAnswers.pop_front();
    return yes;
}

std::optional<int> ScriptedDialogs::choose(QWidget*, const QString& title, const QString& text,
                                           const QStringList& choices) {
    record({"choose", title, text, choices.join(u'|')});
    if (choiceAnswers.empty())
        return std::nullopt;
    const std::optional<int> chosen = choiceAnswers.front();
    choiceAnswers.pop_front();
    return chosen;
}

void ScriptedDialogs::showError(QWidget*, const QString& text) {
    record({"error", {}, text, {}});
}

void ScriptedDialogs::inform(QWidget*, const QString& title, const QString& text) {
    record({"inform", title, text, {}});
}

bool ScriptedDialogs::showWaiting(QWidget*, const QString& text) {
    if (!waiting_)
        record({"waiting", {}, text, {}});
    waiting_ = true;
    return onWaiting ? onWaiting() : true;
}

void ScriptedDialogs::endWaiting() {
    if (waiting_)
        record({"waited", {}, {}, {}});
    waiting_ = false;
}

QString ScriptedDialogs::openFileName(QWidget*, const QString& title, const QString& filter) {
    record({"open", title, filter, {}});
    if (fileAnswers.empty())
        return {};
    QString path = fileAnswers.front();
    fileAnswers.pop_front();
    return path;
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString& title, const QString& filter,
                                      const QString& defaultName) {
    record({"save", title, filter, defaultName});
    if (fileAnswers.empty())
        return {};
    QString path = fileAnswers.front();
    fileAnswers.pop_front();
    return path;
}

bool ScriptedDialogs::choosePrinter(QWidget*, QPrinter& printer) {
    record({"print", {}, {}, {}});
    return onPrint ? onPrint(printer) : false;
}

void ScriptedDialogs::showModal(QDialog* dialog) {
    record({"modal", dialog->objectName(), {}, {}});
    dialog->setModal(true);
    dialog->show();
}

void ScriptedDialogs::openAddress(const QString& address) {
    record({"address", {}, address, {}});
}

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
