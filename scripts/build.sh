#!/usr/bin/env bash
# Configures and builds the station into build/ (tests too unless NO_TESTS=1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tests=ON
[ "${NO_TESTS:-0}" = 1 ] && tests=OFF
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIRRA_BUILD_TESTS=$tests >/dev/null
cmake --build "$root/build" -j"$(nproc)" "$@"
