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
  echo "fuzzing $name for ${seconds}s with $jobs job(s)"
  extra=()
  [ "$jobs" -gt 1 ] && extra+=(-fork="$jobs" -ignore_crashes=0)
  # A target's dictionary of tokens, when it has one, sits beside its source.
  [ -f "$root/fuzz/$name.dict" ] && extra+=(-dict="$root/fuzz/$name.dict")
  # A small quarantine keeps memory flat; leaks still count as findings, but for what
  # fontconfig keeps for the whole process once text is measured (the tests' suppressions).
  if ! (cd "$out" && LSAN_OPTIONS=suppressions="$root/tests/lsan.supp" ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=32 \
          "$target" -max_total_time="$seconds" \
          -max_len=4096 -print_final_stats=1 "${extra[@]}" "$corpus" >"$out/log.txt" 2>&1); then
    echo "$name found a crash:"
    tail -n 60 "$out/log.txt"
    exit 1
  fi
  grep -h -E '^stat::number_of_executed_units|^#[0-9]+:' "$out/log.txt" | tail -n 1 || true
done
