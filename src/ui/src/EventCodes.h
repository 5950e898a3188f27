#pragma once
// What the controls read alike from an event: the pointer's event types, the event type
// that ends where it arrives, the keys they handle and the wheel's direction.

#include <cstdint>

#include "UIMessage.h"

// An event type that, like EVENT_SETCURSOR, ends at the control it reaches.
constexpr uint32_t kEventSwallowed = 18;

// The pointer's event types, from a move to the wheel.
inline bool IsPointerEvent(const TEventUI& event)
{
    return event.Type >= EVENT_MOUSEMOVE && event.Type <= EVENT_SCROLLWHEEL;
}

// Return, Page Up, Page Down, End, Home, Up and Down.
enum : uint32_t {
    kKeyReturn = 13,
    kKeyPageUp = 33,
    kKeyPageDown = 34,
    kKeyEnd = 35,
    kKeyHome = 36,
    kKeyUp = 38,
    kKeyDown = 40,
};

// The wheel's direction, in the low 16 bits of the event's first parameter.
enum : uint64_t { kWheelUp = 0, kWheelDown = 1 };

inline uint64_t WheelDirection(const TEventUI& event) { return event.wParam & 0xffff; }
