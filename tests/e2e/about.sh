#!/usr/bin/env bash
# The About box beside the main window, and the program ending when the main window is closed
# while the About box is open.
source "$(dirname "$0")/../../scripts/lib/x11.sh"
program=$1
xhelper=$2
shots=${3:-}

start_xvfb
start_program "$program"
window=$(main_window)
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+a
mapped_window '^About$' >/dev/null
[ -n "$shots" ] && import -window root "$shots"
"$xhelper" close "$window"
ended() { ! kill -0 "$APP_PID" 2>/dev/null; }
wait_until "the program is still running" ended
wait "$APP_PID" && status=0 || status=$?
APP_PID=""
[ "$status" -eq 0 ] || fail "exit status $status"
echo "1 passed, 0 failed"
