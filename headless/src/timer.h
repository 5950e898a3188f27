#pragma once
// Timers on the manual clock.

#include <cstdint>
#include <vector>

#include <UITimerBase.h>

namespace headless {

class Timer : public CTimerBase {
public:
    Timer();
    ~Timer() override;
    int SetTimer(unsigned int period, TimerHook* hook) override;
    void KillTimer(int id) override;
};

}  // namespace headless
