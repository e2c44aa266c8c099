# Shared by the end-to-end tests and scripts/run: a private X server, the window, clicks.
set -euo pipefail

E2E_TMP=$(mktemp -d)
# How long any wait may take. It is reached only when something is really wrong: every wait
# ends on the program's own sign that it is done, however slow or busy the machine.
E2E_BOUND=${E2E_BOUND:-150}
XVFB_PID=""
APP_PID=""

cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
trap cleanup EXIT

fail() {
    if [ -n "${DISPLAY:-}" ] && [ -n "$XVFB_PID" ]; then
        import -window root /tmp/hitwise-e2e-failure.png 2>/dev/null &&
            echo "screen at the failure: /tmp/hitwise-e2e-failure.png" >&2
    fi
    if [ -n "$XVFB_PID" ] && ! kill -0 "$XVFB_PID" 2>/dev/null; then
        echo "the X server has ended: $(tail -n 5 "$E2E_TMP/xvfb.log")" >&2
    fi
    echo "FAIL: $*" >&2
    exit 1
}

# wait_until WHAT COMMAND...: runs COMMAND until it succeeds; fails naming WHAT after E2E_BOUND
# seconds.
wait_until() {
    local what=$1 start=$SECONDS
    shift
    until "$@"; do
        ((SECONDS - start < E2E_BOUND)) || fail "$what (after ${E2E_BOUND} s)"
        sleep 0.05
    done
}

# A program started by start_program is still running; fails naming WHAT if not.
still_running() {
    kill -0 "$APP_PID" 2>/dev/null || fail "$1: the program ended: $(cat "$E2E_TMP/program.log")"
}

start_xvfb() {
    # A display number of its own, so that tests running side by side never share a server.
    local number
    for attempt in $(seq 20); do
        number=$((100 + (RANDOM % 800)))
        [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 "${E2E_SCREEN:-1024x768x24}" -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$number"
        local start=$SECONDS
        while kill -0 "$XVFB_PID" 2>/dev/null && ! xdpyinfo >/dev/null 2>&1 &&
            ((SECONDS - start < E2E_BOUND)); do
            sleep 0.05
        done
        if kill -0 "$XVFB_PID" 2>/dev/null && xdpyinfo >/dev/null 2>&1; then
            unset QT_QPA_PLATFORM WAYLAND_DISPLAY
            return
        fi
        kill "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    done
    fail "no X server could be started: $(cat "$E2E_TMP/xvfb.log")"
}

# start_program PROGRAM [FOLDER]: starts it from FOLDER (default: a scratch folder).
start_program() {
    local folder=${2:-$E2E_TMP}
    (cd "$folder" && exec "$1") >"$E2E_TMP/program.log" 2>&1 &
    APP_PID=$!
}

# mapped_window TITLE_PATTERN: the id of the program's window so titled, once it is mapped.
mapped_window() {
    local id start=$SECONDS
    while ((SECONDS - start < E2E_BOUND)); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { echo "$id"; return; }
        still_running "waiting for the window $1"
        sleep 0.05
    done
    fail "no window $1 (after ${E2E_BOUND} s)"
}

# The main window, once it is mapped.
main_window() { mapped_window '^Hitwise$'; }

# shown PROGRAM PATTERN: waits until a node of the program's accessibility tree is named to match
# PATTERN, its sign that what was asked of it is done (needs tests/e2e/a11y-session.sh).
shown() {
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e/atspi.py" "$@" ||
        fail "$2 never shown"
}

# Visible windows titled like the program: the main window, and an error box if one is open.
visible_windows() { xdotool search --onlyvisible --name '^hitwise$' 2>/dev/null | wc -l; }

# client_origin WINDOW: sets CX and CY to the screen point of the layout's top-left corner
# (the client area below the menu bar).
client_origin() {
    local WX WY WHEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1" | sed -n 's/^\(X\|Y\|HEIGHT\)=/W\1=/p')"
    CX=$WX
    CY=$((WY + WHEIGHT - 444))
}

# click_client WINDOW X Y: clicks a point of the layout.
click_client() {
    client_origin "$1"
    xdotool mousemove $((CX + $2)) $((CY + $3)) click 1
}

# Centre of a card button: player (p) or dealer (d), caption A 2 .. K.
card_point() {
    local group=$1 face=$2 faces=(A 2 3 4 5 6 7 8 9 10 J Q K) i row col x0
    for i in "${!faces[@]}"; do [ "${faces[$i]}" = "$face" ] && break; done
    if [ "$i" -lt 4 ]; then row=0 col=$i; elif [ "$i" -lt 8 ]; then row=1 col=$((i - 4)); else row=2 col=$((i - 8)); fi
    [ "$group" = p ] && x0=280 || x0=456
    echo "$((x0 + 32 * col + 12)) $((340 + 32 + 24 * row + 10))"
}

click_card() { click_client "$1" $(card_point "$2" "$3"); }

# A stand-in xdg-open first on PATH that writes what it is asked to open to $E2E_TMP/opened.
stub_xdg_open() {
    mkdir -p "$E2E_TMP/bin"
    printf '#!/bin/sh\necho "$*" >> "%s/opened"\n' "$E2E_TMP" > "$E2E_TMP/bin/xdg-open"
    chmod +x "$E2E_TMP/bin/xdg-open"
    export PATH="$E2E_TMP/bin:$PATH"
}

# Waits until the stand-in has been asked to open N things; prints them sorted.
opened_count() { [ "$(wc -l < "$E2E_TMP/opened" 2>/dev/null || echo 0)" -ge "$1" ]; }
wait_opened() {
    wait_until "$1 documents opened: $(cat "$E2E_TMP/opened" 2>/dev/null)" opened_count "$1"
    sort "$E2E_TMP/opened"
}
