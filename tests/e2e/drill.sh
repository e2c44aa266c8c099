#!/usr/bin/env bash
# Hitwise Drill under Xvfb, read through AT-SPI: hands answered with real key presses, the
# feedback read back; killed, restarted, and the answers are still there.
source "$(dirname "$0")/a11y-session.sh"
source "$(dirname "$0")/../../scripts/lib/x11.sh"
program=$1

# A bad counting option: one line and status 2, before any window.
for bad in "--count hilo2" "--count hilo --depth 2" "--tags A:1" "--bankroll 100"; do
    status=0
    # shellcheck disable=SC2086
    "$program" $bad >/dev/null 2>"$E2E_TMP/bad.log" || status=$?
    [ "$status" -eq 2 ] && [ "$(wc -l < "$E2E_TMP/bad.log")" -eq 1 ] ||
        fail "$bad: status $status, $(cat "$E2E_TMP/bad.log")"
done

start_xvfb
export XDG_DATA_HOME="$E2E_TMP/data" HITWISE_DRILL_SEED=11
database="$XDG_DATA_HOME/hitwise-drill/history.sqlite"

drill_window() {
    xdotool windowfocus --sync "$(mapped_window 'Hitwise Drill')"
}
# Ends the drill, then waits until the X server has taken its window down too: the next start's
# window is then the only one so titled (an ended drill's window could be found and be gone).
no_drill_window() { ! xdotool search --onlyvisible --name 'Hitwise Drill' >/dev/null 2>&1; }
end_drill() {
    kill "$@" "$APP_PID"
    wait "$APP_PID" 2>/dev/null || true
    wait_until "the ended drill's window gone" no_drill_window
}

start_program "$program"
drill_window
/usr/bin/python3 "$(dirname "$0")/drill.py" answer 3 || fail "the first run"
# Killed outright: every answer given is already stored.
end_drill -9
rows=$(/usr/bin/python3 -c 'import sqlite3, sys; print(sqlite3.connect(sys.argv[1]).execute("select count(*) from answers").fetchone()[0])' "$database")
[ "$rows" -eq 3 ] || fail "$rows answers stored, not 3"

# The second start with a count in force, which the rules line names.
printf '#!/bin/sh\nexec "%s" --count hilo "$@"\n' "$program" > "$E2E_TMP/drill-counting"
chmod +x "$E2E_TMP/drill-counting"
start_program "$E2E_TMP/drill-counting"
drill_window
/usr/bin/python3 "$(dirname "$0")/drill.py" remembers 3 "Count in force: Hi-Lo, half-deck estimate, floored." ||
    fail "the second run"
end_drill

# The third start without it: the count is kept; Ctrl+I writes its index chart and opens it.
stub_xdg_open
start_program "$program"
drill_window
/usr/bin/python3 "$(dirname "$0")/drill.py" remembers 3 "Count in force: Hi-Lo, half-deck estimate, floored." ||
    fail "the third run"
# The chart is worked out off the window's thread: its page opening is the sign it is done.
xdotool key ctrl+i
page=$(wait_opened 1)
case "$page" in *indices-*.htm) ;; *) fail "opened: $page" ;; esac
grep -q "Your top 18" "${page#file://}" || fail "the index chart has no top 18: $page"
# F1: the help page beside the program, with its counting section.
xdotool key F1
help=$(wait_opened 2 | grep "hitwise-drill.htm")
case "$help" in *"/hitwise-drill.htm") ;; *) fail "F1 opened: $help" ;; esac
grep -q 'id="counting"' "${help#file://}" || fail "the help page has no counting section"
end_drill

# The fourth start plays the shoe with the count: bets, insurance, both grades, count checks.
printf '#!/bin/sh\nexec "%s" --play --count hilo --ramp 1:1,2:2,3:4 --seed 4 "$@"\n' "$program" \
    > "$E2E_TMP/drill-keeping"
chmod +x "$E2E_TMP/drill-keeping"
start_program "$E2E_TMP/drill-keeping"
drill_window
/usr/bin/python3 "$(dirname "$0")/drill.py" counts 8 || fail "the fourth run"
echo "1 passed, 0 failed"
