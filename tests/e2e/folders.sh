#!/usr/bin/env bash
# Folders and files the program does not own, with the real program under Xvfb: started
# through a symbolic link from elsewhere; its folder removed, or made unreadable to it, while
# it runs; a card file replaced by a FIFO. Each failure gives an error box and the program
# goes on.
source "$(dirname "$0")/a11y-session.sh"
source "$(dirname "$0")/../../scripts/lib/x11.sh"
program=$1
bin=$(dirname "$program")

windows() { [ "$(visible_windows)" -eq "$1" ]; }
boxes() { [ "$(visible_windows)" -ge 2 ]; }

# Waits for an error box, answers it with Enter, and checks the program is still there.
expect_error_box() {
    wait_until "$1: no error box" boxes
    xdotool key Return
    wait_until "$1: the error box stays" windows 1
    still_running "$1"
}

# expect_no_error_box WHAT PROGRAM PATTERN: the picture named to match PATTERN is shown by
# PROGRAM (its name on the accessibility bus), and no box.
expect_no_error_box() {
    shown "$2" "$3"
    [ "$(visible_windows)" -eq 1 ] || fail "$1: an error box is open"
    still_running "$1"
}

stop_program() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=""
    wait_until "the window outlives its program" windows 0
}

# A copy of the program's folder that the test may break.
copy_program() {
    rm -rf "$E2E_TMP/prog"
    mkdir -p "$E2E_TMP/prog"
    cp "$bin"/hitwise "$bin"/*.jpg "$bin"/*.htm "$E2E_TMP/prog/"
    chmod -R a+rX "$E2E_TMP"
}

start_xvfb

# Through a symbolic link from another folder: the pictures are found next to the real file.
mkdir -p "$E2E_TMP/links"
ln -s "$program" "$E2E_TMP/links/hw"
start_program "$E2E_TMP/links/hw" /
window=$(main_window)
click_card "$window" p A
click_card "$window" p K
click_card "$window" d 5
expect_no_error_box "symbolic link" hw "^Dealer's up card: Five of spades$"
stop_program

# The program's folder removed while it runs.
copy_program
start_program "$E2E_TMP/prog/hitwise" /
window=$(main_window)
rm -rf "$E2E_TMP/prog"
click_card "$window" p 7
expect_error_box "card from a removed folder"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+g
expect_error_box "chart from a removed folder"
stop_program

# A card file replaced by a FIFO: an error, not a hang.
copy_program
rm "$E2E_TMP/prog/8 Spades.jpg"
mkfifo "$E2E_TMP/prog/8 Spades.jpg"
start_program "$E2E_TMP/prog/hitwise" /
window=$(main_window)
click_card "$window" p 8
expect_error_box "FIFO in place of a card"
click_card "$window" p 9
expect_no_error_box "the next card" hitwise ": Nine of spades$"
stop_program

# The folder made unreadable while the program runs, as a plain user.
if command -v setpriv >/dev/null; then
    copy_program
    chown -R nobody "$E2E_TMP/prog"
    # Not on this session's accessibility bus: another user's program may not join it.
    (cd / && exec setpriv --reuid=nobody --regid=nogroup --clear-groups env \
        -u DBUS_SESSION_BUS_ADDRESS -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON -u XDG_RUNTIME_DIR \
        -u XDG_CACHE_HOME HOME=/tmp "$E2E_TMP/prog/hitwise") \
        >"$E2E_TMP/program.log" 2>&1 &
    APP_PID=$!
    window=$(main_window)
    chmod 000 "$E2E_TMP/prog"
    click_card "$window" p 7
    expect_error_box "card from an unreadable folder"
    xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers alt+g
    expect_error_box "chart from an unreadable folder"
    chmod 755 "$E2E_TMP/prog"
    stop_program
fi
echo "1 passed, 0 failed"
