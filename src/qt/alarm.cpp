#include "qt/alarm.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cstdint>
#include <limits>

#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace mironeka::qt {

using std::chrono::nanoseconds;

Alarm::Alarm(Precision precision, QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Alarm::fired);
#ifdef Q_OS_LINUX
    if (precision == Precision::Best) {
        fd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    }
    if (fd_ >= 0) {
        notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &Alarm::timerfdReadable);
    }
#else
    (void)precision;
#endif
}

Alarm::~Alarm() {
#ifdef Q_OS_LINUX
    delete notifier_;  // stops watching before the descriptor goes
    if (fd_ >= 0) ::close(fd_);
#endif
}

void Alarm::ringIn(nanoseconds wait) {
    active_ = true;
#ifdef Q_OS_LINUX
    if (fd_ >= 0) {
        // A zero time would disarm the timerfd: the earliest is 1 ns, which
        // has passed by the time the event loop looks again.
        const nanoseconds ns = std::max(wait, nanoseconds(1));
        itimerspec when{};
        when.it_value.tv_sec = static_cast<time_t>(ns.count() / 1'000'000'000);
        when.it_value.tv_nsec = static_cast<long>(ns.count() % 1'000'000'000);
        // Setting it also clears an expiry not yet read.
        if (timerfd_settime(fd_, 0, &when, nullptr) == 0) return;
        // Refused (a wait beyond the system's range): fall back on the QTimer.
    }
#endif
    constexpr std::int64_t kNsPerMs = 1'000'000;
    const std::int64_t ms = std::clamp<std::int64_t>((wait.count() + kNsPerMs - 1) / kNsPerMs, 0,
                                                     std::numeric_limits<int>::max());
    timer_.start(static_cast<int>(ms));
}

void Alarm::stop() {
    active_ = false;
    timer_.stop();
#ifdef Q_OS_LINUX
    if (fd_ >= 0) {
        const itimerspec never{};
        timerfd_settime(fd_, 0, &never, nullptr);
    }
#endif
}

int Alarm::remainingTime() const {
    if (!active_) return -1;
#ifdef Q_OS_LINUX
    if (fd_ >= 0 && !timer_.isActive()) {
        itimerspec left{};
        if (timerfd_gettime(fd_, &left) != 0) return 0;
        const std::int64_t ns = std::int64_t{left.it_value.tv_sec} * 1'000'000'000 +
                                left.it_value.tv_nsec;  // 0 once it has expired
        return static_cast<int>(
            std::min<std::int64_t>((ns + 999'999) / 1'000'000, std::numeric_limits<int>::max()));
    }
#endif
    return timer_.remainingTime();
}

void Alarm::timerfdReadable() {
#ifdef Q_OS_LINUX
    // An expiry that was cleared by setting the alarm again between the
    // event loop's look and this call reads as nothing: no ring.
    std::uint64_t expiries = 0;
    if (::read(fd_, &expiries, sizeof expiries) != sizeof expiries || expiries == 0) return;
    fired();
#endif
}

void Alarm::fired() {
    if (!active_) return;
    active_ = false;
    emit rang();
}

}  // namespace mironeka::qt
