#pragma once
// How much markup may ask for. Past each bound the builder refuses with a log line and
// builds the rest; the depth of the tree it builds is bounded by kMaxTreeDepth.

#include <cstddef>

#include "TreeLimits.h"

// No sensible markup nests files ("Include", "ChildLayout") this deep; a cycle spelled
// with ever different paths does.
constexpr size_t kMaxFileNesting = 32;

// More copies of one file than any window holds would only build without end; such a
// count is refused and the file built once.
constexpr long kMaxIncludeCopies = 10000;

// One window's markup, with every file that its includes and child layouts bring in,
// builds a file it has met already at most this many times in all.
constexpr long kMaxCopiesPerBuild = 2000;

// One window's markup makes at most this many controls through those copies: ten for
// each of them. A file built the first time counts none, so markup spelled out control
// by control builds whole.
constexpr long kMaxCopiedControls = 20000;

// One "style" applies at most this many classes, with those its classes name in turn:
// far more than a class composed of others ever takes, far fewer than a few classes that
// each name the next more than once multiply to.
constexpr int kMaxClassApplications = 64;

// An attribute value longer than this, in characters, is refused: far above any text,
// image string or attribute list, and a label text that long still lays out in about a
// second.
constexpr size_t kMaxAttributeLength = size_t{1} << 20;
