#pragma once

#include <QElapsedTimer>
#include <QString>
#include <optional>

// A writer that finds another process holding the league list's lock or the database's write lock waits
// for it as long as it works: a save takes milliseconds, an import of a large file some seconds, and both
// locks end with their holder however it ends. The lock order (the list first, then the database) keeps
// two writers from waiting for each other.
namespace vezal {

// Told of each wait, so that a window can say why nothing happens and offer to give the wait up; without
// one a writer waits silently.
class WaitObserver {
public:
    virtual ~WaitObserver() = default;
    // Called every few milliseconds while the wait lasts, with the time waited so far; false gives it up.
    virtual bool keepWaiting(qint64 waitedMs) = 0;
    // The wait is over, however it ended. Only called after keepWaiting was.
    virtual void waitOver() = 0;
};

// The process's observer while the scope lives.
class WaitObserverScope {
public:
    explicit WaitObserverScope(WaitObserver& observer);
    ~WaitObserverScope();
    WaitObserverScope(const WaitObserverScope&) = delete;
    WaitObserverScope& operator=(const WaitObserverScope&) = delete;

private:
    WaitObserver* previous_;
};

// One wait for another process.
class OtherProcessWait {
public:
    // Far longer than any import; a holder that takes longer has hung.
    static constexpr qint64 kLongestMs = 10 * 60 * 1000;

    OtherProcessWait();
    ~OtherProcessWait();
    OtherProcessWait(const OtherProcessWait&) = delete;
    OtherProcessWait& operator=(const OtherProcessWait&) = delete;

    // Sleeps a little; false when the observer gave the wait up or the longest wait has passed.
    bool pause();
    // Why the wait was given up, once pause() returned false.
    std::optional<QString> givenUp() const { return givenUp_; }

private:
    QElapsedTimer waited_;
    WaitObserver* told_ = nullptr; // the observer asked, to be told the end
    std::optional<QString> givenUp_;
};

} // namespace vezal
