#!/bin/bash
# Sets up the machine, builds Tesselo and its tests for Windows, and runs the
# whole suite under Wine, once per code page. Fails when a test fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TESSELO_BUILD_DIR:-$root/build}"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON
cmake --build "$build" --parallel "$(nproc)"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)"
