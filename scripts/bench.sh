#!/usr/bin/env bash
# Builds the library optimised and runs the benchmarks: every stage on generated windows
# of 100 to 100,000 controls, then a summary per control and against pugixml's load.
#   scripts/bench.sh [--sizes=100,1000,10000,100000] [Google Benchmark flags]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"

build="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVONK_BUILD_TESTS=OFF -DVONK_BUILD_DEMO=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target vonk-bench
exec "$build/bin/vonk-bench" "$@"
