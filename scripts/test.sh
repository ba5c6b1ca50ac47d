#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test.
#   scripts/test.sh              build/ and its tests, then the end-to-end
#                                test of the program built for a local
#                                stand-in of the service, in build-standin/
#   scripts/test.sh --sanitize   build/'s tests built with AddressSanitizer and
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
[ "$build" = build ] || exit 0

source scripts/free-port.sh
port=$(free_port)
cmake -S . -B build-standin -DSERVICE_HOST="127.0.0.1:$port" -DSERVICE_WWW_HOST="localhost:$port" \
  -DKAVORO_BENCHMARKS=OFF
cmake --build build-standin -j"$(nproc)" --target kavoro kavoro-standin
ctest --test-dir build-standin -L e2e --output-on-failure
