#pragma once

#include "store/Waiting.h"

namespace vezal {

class Dialogs;

// The windows' side of a wait for another process: after a second the dialogs show a notice with a
// cancel button ("Başka bir işlem sürüyor, bekleniyor ..."), over whichever window is active.
class WaitNotice : public WaitObserver {
public:
    static constexpr qint64 kQuietMs = 1000;

    explicit WaitNotice(Dialogs& dialogs) : dialogs_(dialogs) {}
    bool keepWaiting(qint64 waitedMs) override;
    void waitOver() override;

private:
    Dialogs& dialogs_;
    bool shown_ = false;
};

} // namespace vezal
