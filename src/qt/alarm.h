#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

class QSocketNotifier;

namespace mironeka::qt {

/// Rings once, a given time from now, in a turn of Qt's event loop of its
/// own: never inside the call that sets it, even when the time is zero or
/// has already passed.
///
/// Qt's timers count whole milliseconds from the moment they start, so a
/// wait for the next tick of a millisecond clock would end up to a whole
/// millisecond late, and a chain of one-millisecond steps would fall further
/// behind with each step. On Linux the alarm is a timerfd watched by Qt's
/// event loop, which keeps the nanoseconds; elsewhere, or when no timerfd can
/// be had, it is a precise QTimer and the wait is rounded up to whole
/// milliseconds.
class Alarm final : public QObject {
    Q_OBJECT
  public:
    enum class Precision {
        Best,               // nanoseconds where the system has them
        WholeMilliseconds,  // a QTimer everywhere
    };

    explicit Alarm(Precision precision = Precision::Best, QObject* parent = nullptr);
    ~Alarm() override;
    Alarm(const Alarm&) = delete;
    Alarm& operator=(const Alarm&) = delete;

    /// Rings after `wait`; at the next turn when it is zero or less. Replaces
    /// any earlier setting.
    void ringIn(std::chrono::nanoseconds wait);
    void stop();
    [[nodiscard]] bool isActive() const { return active_; }
    /// Milliseconds until it rings, rounded up; 0 when due, -1 when stopped.
    [[nodiscard]] int remainingTime() const;
    /// Whether the nanoseconds are kept (a timerfd) or rounded up.
    [[nodiscard]] bool keepsNanoseconds() const { return fd_ >= 0; }

  signals:
    void rang();

  private:
    void fired();
    void timerfdReadable();

    bool active_ = false;
    int fd_ = -1;  // the timerfd, if there is one
    QSocketNotifier* notifier_ = nullptr;
    QTimer timer_;  // otherwise
};

}  // namespace mironeka::qt
