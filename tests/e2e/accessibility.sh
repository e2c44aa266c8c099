#!/usr/bin/env bash
# The program under Xvfb with the accessibility bus on, driven and read through AT-SPI.
source "$(dirname "$0")/a11y-session.sh"
source "$(dirname "$0")/../../scripts/lib/x11.sh"
program=$1

start_xvfb
start_program "$program"
main_window >/dev/null
/usr/bin/python3 "$(dirname "$0")/accessibility.py"
