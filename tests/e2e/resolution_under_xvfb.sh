#!/usr/bin/env bash
# resolution_under_xvfb.sh PROGRAM STANDIN PORT SHOT_DIR
# Starts Xvfb and the stand-in, then plays the program as a person would:
# once with the right code, once with a wrong one.
set -euo pipefail
program=$1 standin=$2 port=$3 shots=$4
play=$(dirname "$0")/../../scripts/play-resolution.sh

pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT

if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
  echo "port $port, which the program was built for, is taken" >&2
  exit 1
fi
"$standin" --port "$port" 2> "$shots.standin.log" &
pids+=($!)

source "$(dirname "$0")/../../scripts/xvfb.sh"
start_xvfb

failed=0
expect() {
  if [ "$2" = "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1: expected '$3', got '$2'"
    failed=1
  fi
}

rm -rf "$shots"
address=$("$play" "$program" "$port" "$shots/right" right)
expect "the address box shows the direct address" "$address" \
  "http://127.0.0.1:$port/download/aeea4f9608859d09/file.bin"

wrong_road=$("$play" "$program" "$port" "$shots/wrong" wrong)
mapfile -t answer <<< "$wrong_road"
expect "a wrong code is told in a message box" "${answer[0]:-}" "信息："
expect "its text" "${answer[1]:-}" "验证码过期或错误"
expect "the code box is emptied" "${answer[2]:-}" ""

exit $failed
