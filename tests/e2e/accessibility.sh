#!/usr/bin/env bash
# The program under Xvfb with the accessibility bus on, driven and read through AT-SPI.
if [ -z "${HITWISE_A11Y_SESSION:-}" ]; then
    export HITWISE_A11Y_SESSION=1
    exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/../../scripts/lib/x11.sh"
program=$1

start_xvfb
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
start_program "$program"
main_window >/dev/null
/usr/bin/python3 "$(dirname "$0")/accessibility.py"
