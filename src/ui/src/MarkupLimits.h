#pragma once
// How much markup may ask for. Past each bound the builder refuses with a log line and
// builds the rest.

#include <cstddef>

// One "style" applies at most this many classes, with those its classes name in turn:
// far more than a class composed of others ever takes, far fewer than a few classes that
// each name the next more than once multiply to.
constexpr int kMaxClassApplications = 64;

// An attribute value longer than this, in characters, is refused: far above any text,
// image string or attribute list, and a label text that long still lays out in about a
// second.
constexpr size_t kMaxAttributeLength = size_t{1} << 20;
