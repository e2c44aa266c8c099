#!/usr/bin/env bash
# Installs into a scratch prefix and starts the installed program through games/hitwise from
# another folder: a hand shows its card faces without an error, and F1 opens the installed help.
source "$(dirname "$0")/a11y-session.sh"
source "$(dirname "$0")/../../scripts/lib/x11.sh"
build=$1
prefix="$E2E_TMP/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null
for program in hitwise hitwise-chart hitwise-drill hitwise-sim hitwise-lab; do
    [ -L "$prefix/games/$program" ] || fail "games/$program is not a link"
done
"$prefix/games/hitwise-chart" --rules single --format csv -o "$E2E_TMP/single.csv" ||
    fail "the installed hitwise-chart did not write a chart"
[ "$(wc -l < "$E2E_TMP/single.csv")" -eq 544 ] || fail "the chart has $(wc -l < "$E2E_TMP/single.csv") lines"
# A PDF through the link: hitwise-chart starts hitwise-chart-pdf from its own folder.
"$prefix/games/hitwise-chart" --rules single --format pdf -o "$E2E_TMP/single.pdf" ||
    fail "the installed hitwise-chart did not write a PDF"
[ "$(head -c 5 "$E2E_TMP/single.pdf")" = "%PDF-" ] || fail "single.pdf is not a PDF"
for file in hitwise hitwise-chart-pdf bj.htm hitwise-lab.htm single.htm multi.htm european.htm blank.jpg "1 Spades.jpg" "13 Spades.jpg"; do
    [ -f "$prefix/lib/hitwise/$file" ] || fail "lib/hitwise/$file is missing"
done
for file in applications/com.example.hitwise.desktop metainfo/com.example.hitwise.metainfo.xml \
    icons/hicolor/16x16/apps/com.example.hitwise.png icons/hicolor/scalable/apps/com.example.hitwise.svg \
    applications/com.example.hitwise.drill.desktop metainfo/com.example.hitwise.drill.metainfo.xml \
    applications/com.example.hitwise.lab.desktop metainfo/com.example.hitwise.lab.metainfo.xml \
    man/man6/hitwise.6.gz man/man6/hitwise-chart.6.gz man/man6/hitwise-drill.6.gz \
    man/man6/hitwise-lab.6.gz \
    doc/hitwise/copyright doc/hitwise/changelog.gz; do
    [ -f "$prefix/share/$file" ] || fail "share/$file is missing"
done

stub_xdg_open
start_xvfb
start_program "$prefix/games/hitwise" /
window=$(main_window)
click_card "$window" p 9
click_card "$window" p 2
click_card "$window" d 6
shown hitwise "^Dealer's up card: Six of spades$"
[ "$(visible_windows)" -eq 1 ] || fail "an error box is open"
xdotool windowfocus --sync "$window"
xdotool key F1
opened=$(wait_opened 1)
[ "$opened" = "file://$prefix/lib/hitwise/bj.htm" ] || fail "opened: $opened"

# The drill as its desktop entry starts it, with the games folder on the path.
command=$(sed -n 's/^Exec=//p' "$prefix/share/applications/com.example.hitwise.drill.desktop")
kill "$APP_PID" 2>/dev/null || true
(cd / && XDG_DATA_HOME="$E2E_TMP/data" PATH="$prefix/games:$PATH" exec $command) \
    >"$E2E_TMP/program.log" 2>&1 &
APP_PID=$!
mapped_window '^Hitwise Drill$' >/dev/null
[ -f "$E2E_TMP/data/hitwise-drill/history.sqlite" ] || fail "the drill keeps no history"

# The lab as its desktop entry starts it; F1 opens its installed help page.
command=$(sed -n 's/^Exec=//p' "$prefix/share/applications/com.example.hitwise.lab.desktop")
kill "$APP_PID" 2>/dev/null || true
(cd / && XDG_DATA_HOME="$E2E_TMP/data" PATH="$prefix/games:$PATH" exec $command) \
    >"$E2E_TMP/program.log" 2>&1 &
APP_PID=$!
window=$(mapped_window '^Hitwise Lab$')
xdotool windowfocus --sync "$window"
xdotool key F1
wait_opened 2 | grep -qx "file://$prefix/lib/hitwise/hitwise-lab.htm" ||
    fail "F1 opened: $(cat "$E2E_TMP/opened")"
echo "1 passed, 0 failed"
