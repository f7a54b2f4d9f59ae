#pragma once

#include "store/StoreError.h"
#include "windows/Dialogs.h"

#include <QObject>
#include <QWidget>
#include <exception>
#include <utility>

namespace vezal {

// Runs an action; a failure it did not check for itself goes to the general error display and the
// program runs on. Qt leaves an exception that escapes a slot undefined, so every handler goes through here.
template <typename Action> void guarded(Dialogs& dialogs, QWidget* parent, Action&& action) {
    try {
        std::forward<Action>(action)();
    } catch (const StoreError& error) {
        dialogs.showError(parent, error.message());
    } catch (const std::exception& error) {
        dialogs.showError(parent, QString::fromLocal8Bit(error.what()));
    }
}

// connect() whose handler runs guarded.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection guardedConnect(Sender* sender, Signal signal, QWidget* receiver, Dialogs& dialogs,
                                       Handler handler) {
    return QObject::connect(sender, signal, receiver, [&dialogs, receiver, handler](auto&&... args) {
        guarded(dialogs, receiver, [&] { handler(std::forward<decltype(args)>(args)...); });
    });
}

} // namespace vezal
