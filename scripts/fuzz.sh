#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 600),
# seeded with the project's markup files. Crashes land in out/fuzz/<target>/.
#   scripts/fuzz.sh [SECONDS] [JOBS]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-600}
jobs=${2:-1}
"$root/scripts/setup.sh"

build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVONK_FUZZ=ON \
  -DVONK_BUILD_TESTS=OFF -DVONK_BUILD_DEMO=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

for target in "$build"/bin/fuzz_*; do
  name=$(basename "$target")
  out="$root/out/fuzz/$name"
  corpus="$out/corpus"
  mkdir -p "$corpus"
  # Seeds: every markup file of the project; the corpus grows across runs.
  find "$root/tests/data" "$root/demo" -name '*.xml' -exec cp -n {} "$corpus/" \; 2>/dev/null || true
  echo "fuzzing $name for ${seconds}s"
  (cd "$out" && ASAN_OPTIONS=detect_leaks=1 "$target" -max_total_time="$seconds" -max_len=4096 \
      -jobs="$jobs" -workers="$jobs" -print_final_stats=1 "$corpus" >"$out/log.txt" 2>&1) || {
    echo "$name found a crash:"; tail -n 40 "$out"/fuzz-*.log "$out/log.txt" 2>/dev/null | tail -n 60; exit 1; }
  grep -h -E '^stat::number_of_executed_units' "$out"/log.txt "$out"/fuzz-*.log 2>/dev/null | head -n 1 || true
done
