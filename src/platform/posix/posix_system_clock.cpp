#include "platform/posix/posix_system_clock.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <QDateTime>
#include <QObject>
#include <QSocketNotifier>
#include <QTimeZone>
#include <cerrno>
#include <cstdint>
#include <ctime>

#include "platform/posix/zone_info.h"

namespace temura {

namespace {

timespec clockNow(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return ts;
}

SystemTime fromTm(const tm& t, long nanoseconds) {
    SystemTime st;
    st.year = t.tm_year + 1900;
    st.month = t.tm_mon + 1;
    st.dayOfWeek = t.tm_wday;
    st.day = t.tm_mday;
    st.hour = t.tm_hour;
    st.minute = t.tm_min;
    // A leap second (tm_sec 60) is shown as the last second of the minute.
    st.second = t.tm_sec > 59 ? 59 : t.tm_sec;
    st.millisecond = static_cast<int>(nanoseconds / 1'000'000);
    return st;
}

// Far enough ahead never to expire on its own: the kernel only ever cancels it.
constexpr time_t kClockSetTimerSpan = 50 * 365 * 86'400;

}  // namespace

bool PosixSystemClock::ZoneSnapshot::operator==(const ZoneSnapshot& other) const {
    return id == other.id && info.result == other.info.result && info.bias == other.info.bias &&
           info.standardBias == other.info.standardBias &&
           info.daylightBias == other.info.daylightBias &&
           info.standardName == other.info.standardName &&
           info.daylightName == other.info.daylightName;
}

PosixSystemClock::PosixSystemClock() : callContext_(std::make_unique<QObject>()) {}

PosixSystemClock::~PosixSystemClock() {
    stopWatchingClockSets();
}

SystemTime PosixSystemClock::localTime() const {
    const timespec now = clockNow(CLOCK_REALTIME);
    // localtime_r need not notice a new TZ or /etc/localtime by itself; tzset() makes it look.
    tzset();
    tm t{};
    localtime_r(&now.tv_sec, &t);
    return fromTm(t, now.tv_nsec);
}

SystemTime PosixSystemClock::utcTime() const {
    const timespec now = clockNow(CLOCK_REALTIME);
    tm t{};
    gmtime_r(&now.tv_sec, &t);
    return fromTm(t, now.tv_nsec);
}

std::uint32_t PosixSystemClock::tickCount() const {
    return static_cast<std::uint32_t>(uptimeMs() & 0xFFFF'FFFFu);
}

std::uint64_t PosixSystemClock::uptimeMs() const {
    // BOOTTIME, unlike MONOTONIC, goes on counting while the machine sleeps.
    const timespec now = clockNow(CLOCK_BOOTTIME);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000u +
           static_cast<std::uint64_t>(now.tv_nsec / 1'000'000);
}

SysZoneInfo PosixSystemClock::timeZoneInformation() const {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    SysZoneInfo info = zoneInfoAt(zone, QDateTime::currentMSecsSinceEpoch());
    if (info.result == ZoneResult::Failed) {
        // Qt does not know the zone (a TZ value it cannot read); libc still converts with some
        // offset, so report that one and local time, UTC and the bias stay consistent.
        const timespec now = clockNow(CLOCK_REALTIME);
        tzset();
        tm t{};
        localtime_r(&now.tv_sec, &t);
        info.bias = static_cast<std::int32_t>(-t.tm_gmtoff / 60);
        info.standardName = t.tm_zone ? t.tm_zone : "";
        info.daylightName = info.standardName;
    }

    ZoneSnapshot snapshot{zone.id(), info};
    if (lastZone_ && !(*lastZone_ == snapshot)) postHandlerCall();
    lastZone_ = std::move(snapshot);
    return info;
}

void PosixSystemClock::setTimeChangeHandler(std::function<void()> handler) {
    handler_ = std::move(handler);
    if (handler_ && timerFd_ < 0) watchClockSets();
    if (!handler_) stopWatchingClockSets();
}

void PosixSystemClock::postHandlerCall() const {
    // Callers read the zone from inside their own handler, so never call it from here directly;
    // and several changes noticed before the loop runs make one call.
    if (!handler_ || callPending_) return;
    callPending_ = true;
    QMetaObject::invokeMethod(
        callContext_.get(),
        [this] {
            if (handler_) {
                const std::function<void()> handler = handler_;
                handler();
            }
            // Cleared only now: a change the handler's own zone read notices is one it has seen.
            callPending_ = false;
        },
        Qt::QueuedConnection);
}

void PosixSystemClock::watchClockSets() {
    timerFd_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timerFd_ < 0) return;  // no notice of clock sets then; the zone check still works
    if (!armClockSetTimer()) {
        stopWatchingClockSets();
        return;
    }
    timerNotifier_ = std::make_unique<QSocketNotifier>(timerFd_, QSocketNotifier::Read);
    QObject::connect(timerNotifier_.get(), &QSocketNotifier::activated, callContext_.get(),
                     [this] { onClockSetTimer(); });
}

void PosixSystemClock::stopWatchingClockSets() {
    timerNotifier_.reset();
    if (timerFd_ >= 0) {
        close(timerFd_);
        timerFd_ = -1;
    }
}

bool PosixSystemClock::armClockSetTimer() const {
    itimerspec spec{};
    // Relative to now, so a clock set far ahead does not leave a timer that is always due.
    spec.it_value.tv_sec = clockNow(CLOCK_REALTIME).tv_sec + kClockSetTimerSpan;
    return timerfd_settime(timerFd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &spec, nullptr) ==
           0;
}

void PosixSystemClock::onClockSetTimer() {
    std::uint64_t expirations = 0;
    const ssize_t n = read(timerFd_, &expirations, sizeof expirations);
    const int error = n < 0 ? errno : 0;
    if (error == EAGAIN || error == EINTR) return;  // woken for nothing
    // ECANCELED: the clock was set. An expiry means the clock jumped decades ahead, so it was
    // set, too. Either way the timer must be armed anew.
    if (!armClockSetTimer()) {
        // Give up on clock sets rather than spin on a descriptor that stays readable.
        timerNotifier_->setEnabled(false);
        close(timerFd_);
        timerFd_ = -1;
    }
    if (error == 0 || error == ECANCELED) postHandlerCall();
}

}  // namespace temura
