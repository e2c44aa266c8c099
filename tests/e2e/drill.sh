#!/usr/bin/env bash
# Hitwise Drill under Xvfb, read through AT-SPI: hands answered with real key presses, the
# feedback read back; killed, restarted, and the answers are still there.
source "$(dirname "$0")/a11y-session.sh"
source "$(dirname "$0")/../../scripts/lib/x11.sh"
program=$1

start_xvfb
export XDG_DATA_HOME="$E2E_TMP/data" HITWISE_DRILL_SEED=11
database="$XDG_DATA_HOME/hitwise-drill/history.sqlite"

drill_window() {
    local id
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name 'Hitwise Drill' 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { xdotool windowfocus --sync "$id"; return; }
        kill -0 "$APP_PID" 2>/dev/null || fail "the drill ended: $(cat "$E2E_TMP/program.log")"
        sleep 0.05
    done
    fail "no drill window"
}

start_program "$program"
drill_window
/usr/bin/python3 "$(dirname "$0")/drill.py" answer 3 || fail "the first run"
# Killed outright: every answer given is already stored.
kill -9 "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
rows=$(/usr/bin/python3 -c 'import sqlite3, sys; print(sqlite3.connect(sys.argv[1]).execute("select count(*) from answers").fetchone()[0])' "$database")
[ "$rows" -eq 3 ] || fail "$rows answers stored, not 3"

start_program "$program"
drill_window
/usr/bin/python3 "$(dirname "$0")/drill.py" remembers 3 || fail "the second run"
echo "1 passed, 0 failed"
