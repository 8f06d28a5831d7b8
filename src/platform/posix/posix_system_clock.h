#pragma once

#include <QByteArray>
#include <memory>
#include <optional>

#include "platform/system_clock.h"

class QObject;
class QSocketNotifier;

namespace temura {

// The system clock and zone of a POSIX system (Linux): libc for the clocks, Qt's tz database for
// the zone, and a timerfd that the kernel cancels whenever someone sets the clock.
class PosixSystemClock : public SystemClock {
  public:
    PosixSystemClock();
    ~PosixSystemClock() override;
    PosixSystemClock(const PosixSystemClock&) = delete;
    PosixSystemClock& operator=(const PosixSystemClock&) = delete;

    SystemTime localTime() const override;
    SystemTime utcTime() const override;
    std::uint32_t tickCount() const override;
    std::uint64_t uptimeMs() const override;
    // Also notices a change of the system zone since the last call and then posts the handler.
    SysZoneInfo timeZoneInformation() const override;

    // Must be called on the GUI thread, with its event loop running later.
    void setTimeChangeHandler(std::function<void()> handler) override;

  private:
    struct ZoneSnapshot {
        QByteArray id;
        SysZoneInfo info;
        bool operator==(const ZoneSnapshot& other) const;
    };

    void watchClockSets();
    void stopWatchingClockSets();
    bool armClockSetTimer() const;
    void onClockSetTimer();
    void postHandlerCall() const;

    std::function<void()> handler_;
    // Context of queued handler calls: destroying it drops calls still in the queue.
    std::unique_ptr<QObject> callContext_;
    int timerFd_ = -1;
    std::unique_ptr<QSocketNotifier> timerNotifier_;
    mutable std::optional<ZoneSnapshot> lastZone_;
    mutable bool callPending_ = false;
};

}  // namespace temura
