#!/usr/bin/env bash
# Download speed and memory of the request routine: fetches a 64 MB body from
# a loopback server with kavoro-request and with curl, alternating which goes
# first, and reports the median ratio of their wall times and the peak memory
# of kavoro-request.
#
#   cmake --build build --target kavoro-request kavoro-bench-body-server
#   bench/http/download.sh [BUILD_DIR] [ROUNDS]      (defaults: build 15)
#
# Targets: ratio within 1.1; peak memory under the body's size plus 32 MB.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=${1:-build}
rounds=${2:-15}
size=$((64 * 1024 * 1024))
request=$build/bin/kavoro-request
server=$build/bin/kavoro-bench-body-server
for tool in "$request" "$server" curl /usr/bin/time; do
  command -v "$tool" > /dev/null || { echo "missing: $tool" >&2; exit 1; }
done

# The server stops when its standard input closes.
coproc SERVER { exec "$server" "$size"; }
read -r port <&"${SERVER[0]}"
stop_server() {
  exec {SERVER[1]}>&-
  wait "$SERVER_PID" 2> /dev/null || true
}
trap stop_server EXIT
url=http://127.0.0.1:$port/body

got=$("$request" "$url" 2> /dev/null | wc -c)
[ "$got" -eq "$size" ] || { echo "kavoro-request fetched $got bytes, not $size" >&2; exit 1; }
got=$(curl -s -o /dev/null -w '%{size_download}' "$url")
[ "$got" -eq "$size" ] || { echo "curl fetched $got bytes, not $size" >&2; exit 1; }

elapsed() {
  local start=$EPOCHREALTIME
  "$@" > /dev/null 2>&1
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.6f\n", b - a }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

ours=() theirs=() ratios=()
for ((i = 0; i < rounds; i++)); do
  if ((i % 2 == 0)); then
    a=$(elapsed "$request" "$url")
    b=$(elapsed curl -s -o /dev/null "$url")
  else
    b=$(elapsed curl -s -o /dev/null "$url")
    a=$(elapsed "$request" "$url")
  fi
  ours+=("$a") theirs+=("$b")
  ratios+=("$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.4f\n", a / b }')")
done

report=$(mktemp)
peak=0
for ((i = 0; i < 3; i++)); do
  /usr/bin/time -v -o "$report" "$request" "$url" > /dev/null 2>&1
  kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$report")
  ((kb > peak)) && peak=$kb
done
rm -f "$report"

printf 'body: %d MB, %d rounds\n' $((size / 1024 / 1024)) "$rounds"
printf 'kavoro-request median: %s s\n' "$(printf '%s\n' "${ours[@]}" | median)"
printf 'curl median:           %s s\n' "$(printf '%s\n' "${theirs[@]}" | median)"
printf 'median ratio kavoro-request / curl: %s (target 1.1 or less)\n' "$(printf '%s\n' "${ratios[@]}" | median)"
printf 'kavoro-request peak memory: %d MB (target under %d MB)\n' $((peak / 1024)) $((size / 1024 / 1024 + 32))
