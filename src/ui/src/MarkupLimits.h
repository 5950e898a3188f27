#pragma once
// How much markup may ask for. Past each bound the builder refuses with a log line and
// builds the rest.

#include <cstddef>

// An attribute value longer than this, in characters, is refused: far above any text,
// image string or attribute list, and a label text that long still lays out in about a
// second.
constexpr size_t kMaxAttributeLength = size_t{1} << 20;
