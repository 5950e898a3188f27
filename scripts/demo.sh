#!/usr/bin/env bash
# Builds and runs the demonstration application on the headless backend.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target vonk-demo vonk-headless
"$root/build/bin/vonk-demo" "$@"
