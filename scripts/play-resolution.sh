#!/usr/bin/env bash
# Plays the program as a person would, on the X display in $DISPLAY, against
# the stand-in of the service: puts the focus into the download-ID box, types
# the ID, reads the captcha's code from the stand-in, types it, clicks the
# button and reads the address box back through the clipboard.
#
#   play-resolution.sh PROGRAM STANDIN_PORT SHOT_DIR [right|wrong]
#
# Prints the address box's text. With "wrong" it types a wrong code, waits
# for the message box, prints its title and its text (copied with Ctrl+C) on
# a line each and closes it, then prints the code box's text. A screenshot
# of every step goes into SHOT_DIR.
set -euo pipefail
program=$1 port=$2 shots=$3 road=${4:-right}
download_id=aeea4f9608859d09
mkdir -p "$shots"

"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

window=$(timeout 20 xdotool search --sync --onlyvisible --name 'kavoro取下载地址' | head -n 1)
step=0
shot() { step=$((step + 1)); import -window root "$shots/$(printf %02d $step)-$1.png"; }

# The centre of a control, from its place in the window's client area.
click_control() {
  case $1 in
    download-id) xdotool mousemove --window "$window" 128 22 click 1 ;;
    code) xdotool mousemove --window "$window" 160 79 click 1 ;;
    button) xdotool mousemove --window "$window" 112 148 click 1 ;;
    address) xdotool mousemove --window "$window" 117 228 click 1 ;;
  esac
  sleep 0.3
}

# What a control holds, as select-all and copy give it.
read_control() {
  printf '' | xclip -selection clipboard > /dev/null 2>&1
  click_control "$1"
  xdotool key ctrl+a ctrl+c
  sleep 0.3
  xclip -o -selection clipboard 2>/dev/null || true
}

latest_code() { curl -s "http://127.0.0.1:$port/standin/code"; }

sleep 0.5
shot started

click_control download-id
for _ in $(seq 50); do [ -n "$(latest_code)" ] && break; sleep 0.1; done
sleep 0.5
shot captcha-shown
xdotool type --delay 30 "$download_id"

code=$(latest_code)
[ "$road" = wrong ] && code=WRONG
click_control code
xdotool type --delay 30 "$code"
shot code-typed

click_control button
if [ "$road" = wrong ]; then
  box=$(timeout 20 xdotool search --sync --onlyvisible --name '信息：' | head -n 1)
  shot message-box
  xdotool getwindowname "$box"
  printf '' | xclip -selection clipboard > /dev/null 2>&1
  xdotool key ctrl+c
  sleep 0.3
  xclip -o -selection clipboard 2>/dev/null || true
  echo
  xdotool key Return
  sleep 0.5
  shot after-message
  read_control code
  echo
else
  sleep 1
  shot resolved
  read_control address
  echo
fi
