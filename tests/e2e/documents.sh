#!/usr/bin/env bash
# The real program under Xvfb, started from another folder, with a stand-in xdg-open that
# records what it is asked to open: Alt+G opens the chart, F1 the help page, from the program's
# folder; a real double-click on the maker's link opens its address once.
source "$(dirname "$0")/../../scripts/lib/x11.sh"
program=$1
folder=$(cd "$(dirname "$program")" && pwd -P)

stub_xdg_open
start_xvfb
start_program "$program" /
window=$(main_window)
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+g
xdotool key F1
opened=$(wait_opened 2)
expected="file://$folder/bj.htm
file://$folder/single.htm"
[ "$opened" = "$expected" ] || fail "opened: $opened, wanted: $expected"

: > "$E2E_TMP/opened"
client_origin "$window"
xdotool mousemove $((CX + 60)) $((CY + 319)) click --repeat 2 --delay 60 1
# F1 after it: once the help page is asked for, the double-click's events are all handled.
xdotool key F1
opened=$(wait_opened 2)
expected="file://$folder/bj.htm
https://hitwise.example.com"
[ "$opened" = "$expected" ] || fail "the double-click opened: $opened"
echo "1 passed, 0 failed"
