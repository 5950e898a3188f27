#pragma once
// Plain geometry records shared with the platform backend.

#include <cstdint>

struct tagRECT {
    int64_t left;
    int64_t top;
    int64_t right;   // exclusive
    int64_t bottom;  // exclusive
};

struct tagSIZE {
    int64_t cx;
    int64_t cy;
};

struct tagPOINT {
    int64_t x;
    int64_t y;
};
