#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test.
#   scripts/test.sh              build/ and its tests
#   scripts/test.sh --sanitize   the same built with AddressSanitizer and
#                                UndefinedBehaviorSanitizer, in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh

build=build
options=()
if [ "${1:-}" = "--sanitize" ]; then
  build=build-sanitize
  options=(-DKAVORO_SANITIZE=ON -DKAVORO_BENCHMARKS=OFF)
fi

cmake -S . -B "$build" "${options[@]}"
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
