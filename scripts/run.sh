#!/usr/bin/env bash
# Installs what is needed, builds the program pointed at a local stand-in of
# the service (in build-standin/), starts the stand-in and the program.
#
# With a display, the window opens for you: type any download ID, read the
# code off the picture, type it and click the button.
# Without one, it starts Xvfb, plays one whole resolution itself, prints the
# resolved address and leaves a screenshot of every step in a folder it names.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh

source scripts/free-port.sh
port=$(free_port)
cmake -S . -B build-standin -DSERVICE_HOST="127.0.0.1:$port" -DSERVICE_WWW_HOST="localhost:$port" \
  -DKAVORO_BENCHMARKS=OFF > /dev/null
cmake --build build-standin -j"$(nproc)" --target kavoro kavoro-standin

pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
build-standin/bin/kavoro-standin --port "$port" 2> build-standin/standin.log &
pids+=($!)
echo "The stand-in listens on 127.0.0.1:$port; its log is build-standin/standin.log."

if [ -n "${DISPLAY:-}" ]; then
  build-standin/bin/kavoro
  exit 0
fi

source scripts/xvfb.sh
start_xvfb

shots=$(mktemp -d /tmp/kavoro-demo.XXXXXX)
echo "No display: playing one resolution on Xvfb $DISPLAY."
address=$(scripts/play-resolution.sh build-standin/bin/kavoro "$port" "$shots")
echo "Resolved address: $address"
echo "Screenshots of every step: $shots"
