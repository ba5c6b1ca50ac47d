#!/usr/bin/env bash
# three_requests.sh PORT: the captcha, the verification and the download page
# made by curl, cookies carried from one request to the next and from the www
# host to the bare host, as the program makes them.
set -euo pipefail
port=$1
jar=$(mktemp)
trap 'rm -f "$jar"' EXIT
curl -s -c "$jar" -o /dev/null "http://localhost:$port/downcode.php"
session=$(awk '$6 == "PHPSESSID" { print $7 }' "$jar")
code=$(curl -s "http://127.0.0.1:$port/standin/code?session=$session")
curl -s -b "PHPSESSID=$session" -c "$jar" -o /dev/null --data "action=yz&id=aeea4f9608859d09&code=$code" \
  "http://127.0.0.1:$port/downcode.php"
pass=$(awk '$6 == "kv_pass" { print $7 }' "$jar")
curl -s -b "PHPSESSID=$session; kv_pass=$pass" "http://127.0.0.1:$port/dd.php?file_key=aeea4f9608859d09&p=0" |
  grep -q 'id="downs"'
