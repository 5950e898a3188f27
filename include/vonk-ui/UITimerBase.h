#pragma once
// The backend's timer of one window: it serves every timer of that window.
//
// Lifetime: the backend creates one per CUIPlatfrom::GetTimer call; the library
// hands it back once through CUIPlatfrom::ReleaseTimer. A hook passed to SetTimer
// stays valid while its timer runs; the backend never frees it.

#include "UIExport.h"

// What the backend calls on every tick: callback(param), on the library's thread.
struct TimerHook {
    void (*callback)(void* param);
    void* param;
};

class UILIB_API CTimerBase {
public:
    virtual ~CTimerBase() {}
    // Starts a periodic timer and returns its identifier.
    virtual int SetTimer(unsigned int period, TimerHook* hook) = 0;
    virtual void KillTimer(int id) = 0;
};
