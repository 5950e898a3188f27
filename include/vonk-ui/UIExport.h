#pragma once
// Marks the library's exported classes, functions and data.

#define UILIB_API __attribute__((visibility("default")))
