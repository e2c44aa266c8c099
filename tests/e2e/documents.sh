#!/usr/bin/env bash
# The real program under Xvfb, started from another folder, with a stand-in xdg-open that
# records what it is asked to open: Alt+G opens the chart, F1 the help page, from the program's
# folder.
source "$(dirname "$0")/../../scripts/lib/x11.sh"
program=$1
folder=$(cd "$(dirname "$program")" && pwd -P)

mkdir -p "$E2E_TMP/bin"
cat > "$E2E_TMP/bin/xdg-open" <<STUB
#!/bin/sh
echo "\$*" >> "$E2E_TMP/opened"
STUB
chmod +x "$E2E_TMP/bin/xdg-open"
export PATH="$E2E_TMP/bin:$PATH"

start_xvfb
start_program "$program" /
window=$(main_window)
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+g
xdotool key F1
for _ in $(seq 100); do
    [ "$(wc -l < "$E2E_TMP/opened" 2>/dev/null || echo 0)" -ge 2 ] && break
    sleep 0.05
done
expected="file://$folder/single.htm
file://$folder/bj.htm"
[ "$(sort "$E2E_TMP/opened" 2>/dev/null)" = "$(sort <<< "$expected")" ] ||
    fail "opened: $(cat "$E2E_TMP/opened" 2>/dev/null), wanted: $expected"
echo "1 passed, 0 failed"
