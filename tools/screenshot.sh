#!/usr/bin/env bash
# Starts Feldora under Xvfb and saves a screenshot: tools/screenshot.sh OUT.png [SECONDS] [xdotool commands...]
set -euo pipefail
out=${1:-/tmp/feldora.png}
wait=${2:-5}
display=:97
Xvfb $display -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display "$(dirname "$0")/../build/feldora" &
app=$!
sleep "$wait"
shift 2 || true
for cmd in "$@"; do DISPLAY=$display xdotool $cmd; sleep 0.7; done
DISPLAY=$display import -window root "$out"
