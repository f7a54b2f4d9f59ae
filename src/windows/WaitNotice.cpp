#include "windows/WaitNotice.h"

#include "store/Messages.h"
#include "windows/Dialogs.h"

#include <QApplication>

namespace vezal {

bool WaitNotice::keepWaiting(qint64 waitedMs) {
    if (waitedMs < kQuietMs)
        return true;
    shown_ = true;
    return dialogs_.showWaiting(QApplication::activeWindow(), QString::fromUtf16(messages::kWaitingForOther));
}

void WaitNotice::waitOver() {
    if (shown_)
        dialogs_.endWaiting();
    shown_ = false;
}

} // namespace vezal
