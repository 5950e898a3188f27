// Timers on the manual clock: AdvanceClock fires what falls due, in time order.

#include <algorithm>
#include <list>

#include "headless.h"
#include "journal.h"
#include "timer.h"
#include "window.h"

namespace headless {
namespace {

struct Running {
    int id;
    unsigned period;
    uint64_t due;
    TimerHook* hook;
    const Timer* owner;
};

struct Clock {
    uint64_t now = 0;
    int lastId = 0;
    std::list<Running> timers;
};

Clock& TheClock()
{
    static Clock clock;
    return clock;
}

void Forget(const Timer* owner, int id)
{
    TheClock().timers.remove_if([&](const Running& r) { return r.owner == owner && (id < 0 || r.id == id); });
}

}  // namespace

Timer::Timer() { Count("Timer", 1); }

Timer::~Timer()
{
    Forget(this, -1);
    Count("Timer", -1);
}

int Timer::SetTimer(unsigned int period, TimerHook* hook)
{
    Clock& clock = TheClock();
    const int id = ++clock.lastId;
    Call("Timer.SetTimer", period, id);
    clock.timers.push_back({id, period, clock.now + std::max(period, 1u), hook, this});
    return id;
}

void Timer::KillTimer(int id)
{
    Call("Timer.KillTimer", id);
    Forget(this, id);
}

void AdvanceClock(unsigned milliseconds)
{
    ReportPendingSizes();
    Clock& clock = TheClock();
    const uint64_t until = clock.now + milliseconds;
    for (;;) {
        // The earliest due timer, the one started first among equals.
        auto next = std::min_element(clock.timers.begin(), clock.timers.end(),
                                     [](const Running& a, const Running& b) { return a.due < b.due; });
        if (next == clock.timers.end() || next->due > until)
            break;
        clock.now = next->due;
        next->due += std::max(next->period, 1u);
        TimerHook* hook = next->hook;
        // The hook may kill this or any timer, or start new ones.
        hook->callback(hook->param);
    }
    clock.now = until;
}

size_t RunningTimers() { return TheClock().timers.size(); }

}  // namespace headless
