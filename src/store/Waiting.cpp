#include "store/Waiting.h"

#include "store/Messages.h"

#include <QThread>

namespace vezal {

namespace {

WaitObserver* observer = nullptr;

// Short enough that a lock let go is taken at once, long enough not to keep a core busy.
constexpr unsigned long kPauseMs = 5;

} // namespace

WaitObserverScope::WaitObserverScope(WaitObserver& next) : previous_(observer) {
    observer = &next;
}

WaitObserverScope::~WaitObserverScope() {
    observer = previous_;
}

OtherProcessWait::OtherProcessWait() {
    waited_.start();
}

OtherProcessWait::~OtherProcessWait() {
    if (told_)
        told_->waitOver();
}

bool OtherProcessWait::pause() {
    if (givenUp_)
        return false;
    QThread::msleep(kPauseMs);
    const qint64 waited = waited_.elapsed();
    if (observer) {
        told_ = observer;
        if (!observer->keepWaiting(waited)) {
            givenUp_ = QString::fromUtf16(messages::kWaitCancelled);
            return false;
        }
    }
    if (waited > kLongestMs) {
        givenUp_ = QString::fromUtf16(messages::kWaitTooLong);
        return false;
    }
    return true;
}

} // namespace vezal
