#!/usr/bin/env bash
# The real program under Xvfb, started from another folder: a whole hand by mouse clicks
# finds its card pictures, and no error box opens.
source "$(dirname "$0")/a11y-session.sh"
source "$(dirname "$0")/../../scripts/lib/x11.sh"
program=$1

start_xvfb
start_program "$program" /
window=$(main_window)
click_card "$window" p 8
click_card "$window" p 8
click_card "$window" d A
shown hitwise "^Dealer's up card: Ace of spades$"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended"
[ "$(visible_windows)" -eq 1 ] || fail "an error box is open"
# Reset and a second hand.
click_client "$window" 629 368
click_card "$window" p A
click_card "$window" p K
click_card "$window" d 10
shown hitwise "^Dealer's up card: Ten of spades$"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended"
[ "$(visible_windows)" -eq 1 ] || fail "an error box is open"
echo "1 passed, 0 failed"
