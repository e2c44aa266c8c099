#!/usr/bin/env bash
# Folders and files the program does not own, with the real program under Xvfb: started
# through a symbolic link from elsewhere; its folder removed, or made unreadable to it, while
# it runs; a card file replaced by a FIFO. Each failure gives an error box and the program
# goes on.
source "$(dirname "$0")/../../scripts/lib/x11.sh"
program=$1
bin=$(dirname "$program")

# Waits for an error box, answers it with Enter, and checks the program is still there.
expect_error_box() {
    local box=""
    for _ in $(seq 100); do
        [ "$(visible_windows)" -ge 2 ] && box=yes && break
        sleep 0.05
    done
    [ -n "$box" ] || fail "$1: no error box"
    xdotool key Return
    for _ in $(seq 100); do
        [ "$(visible_windows)" -eq 1 ] && break
        sleep 0.05
    done
    [ "$(visible_windows)" -eq 1 ] || fail "$1: the error box stays"
    kill -0 "$APP_PID" 2>/dev/null || fail "$1: the program ended"
}

expect_no_error_box() {
    sleep 0.3
    [ "$(visible_windows)" -eq 1 ] || fail "$1: an error box is open"
    kill -0 "$APP_PID" 2>/dev/null || fail "$1: the program ended"
}

stop_program() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=""
    for _ in $(seq 100); do
        [ "$(visible_windows)" -eq 0 ] && return
        sleep 0.05
    done
    fail "the window outlives its program"
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
expect_no_error_box "symbolic link"
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
expect_no_error_box "the next card"
stop_program

# The folder made unreadable while the program runs, as a plain user.
if command -v setpriv >/dev/null; then
    copy_program
    chown -R nobody "$E2E_TMP/prog"
    (cd / && exec setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/tmp "$E2E_TMP/prog/hitwise") \
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
