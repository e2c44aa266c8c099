#!/usr/bin/env bash
# Hitwise Lab under Xvfb, read through AT-SPI: bad options end before any window; a game set,
# its figures read, a short run, two games kept and compared, the comparison exported; a
# damaged shelf is set aside with a message, never written over.
source "$(dirname "$0")/a11y-session.sh"
source "$(dirname "$0")/../../scripts/lib/x11.sh"
program=$1

for bad in "--bogus" "--count hilo --wong-in 2 --wong-out 3" "--count hilo --spots 4" "--bankroll 100"; do
    status=0
    # shellcheck disable=SC2086
    "$program" $bad >/dev/null 2>"$E2E_TMP/bad.log" || status=$?
    [ "$status" -eq 2 ] && [ "$(wc -l < "$E2E_TMP/bad.log")" -eq 1 ] ||
        fail "$bad: status $status, $(cat "$E2E_TMP/bad.log")"
done

export E2E_SCREEN=1400x1000x24
start_xvfb
export XDG_DATA_HOME="$E2E_TMP/data" XDG_CONFIG_HOME="$E2E_TMP/config" HOME="$E2E_TMP"
# A drill history with counting in it: the drill makes the file, and 40 true counts (every
# fourth one off) and 40 bets (every fifth off the ramp) go in as the drill would keep them.
history="$XDG_DATA_HOME/hitwise-drill/history.sqlite"
QT_QPA_PLATFORM=offscreen "$(dirname "$program")/hitwise-drill" >/dev/null 2>&1 &
drill=$!
bound=$((SECONDS + E2E_BOUND))
until [ -s "$history" ] || [ "$SECONDS" -ge "$bound" ]; do sleep 0.1; done
kill "$drill"
wait "$drill" 2>/dev/null || true
/usr/bin/python3 - "$history" <<'PY' || fail "no drill history to read"
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
rows = [("true", 2 + (i % 4 == 0), 2, 1.0) for i in range(40)] + \
       [("bet", 4 - 2 * (i % 5 == 0), 4, 3.0) for i in range(40)]
db.executemany("INSERT INTO count_answers (answered_at, rules, count_system, kind, cards_seen, "
               "cards_left, seconds, given, right_value, correct, cost, count_at) VALUES "
               "('2026-12-10T04:00:00', '2 decks', 'hilo', ?, 52, 52, 2.5, ?, ?, ?, 0.01, ?)",
               [(kind, given, right, int(given == right), at) for kind, given, right, at in rows])
db.commit()
PY
# Opened with the game of its command line: two decks, quick to work out under a sanitizer too.
printf '#!/bin/sh\nexec "%s" --decks 2 --das --count hilo --ramp 1:1,2:2,3:4 "$@"\n' "$program" \
    > "$E2E_TMP/lab-two-decks"
chmod +x "$E2E_TMP/lab-two-decks"
start_program "$E2E_TMP/lab-two-decks"
/usr/bin/python3 "$(dirname "$0")/lab.py" "$E2E_TMP/compared.csv" || fail "the lab"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true

# A damaged shelf: set aside, said, and the games in it never written over.
shelf="$XDG_DATA_HOME/hitwise-lab/shelf.txt"
printf 'not a shelf\n' > "$shelf"
start_program "$program"
shown hitwise-lab "could not be read; it is kept as"
kept=$(ls "$XDG_DATA_HOME/hitwise-lab/" | grep -c 'shelf.txt.unreadable' || true)
[ "$kept" -eq 1 ] || fail "the damaged shelf was not set aside: $(ls "$XDG_DATA_HOME/hitwise-lab/")"
echo "1 passed, 0 failed"
