#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build
cmake --build build -j"$(nproc)" --target kavoro
exec build/bin/kavoro
