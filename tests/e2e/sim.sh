#!/usr/bin/env bash
# hitwise-sim as a user runs it: a progress line on a terminal and none without one; Ctrl+C
# stops a long run at the end of its blocks and writes the rounds dealt, marked as stopped; and,
# built with Open MPI, two processes give the digits of one.
set -euo pipefail
program=$1
mpirun=${2:-}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_CACHE_HOME="$tmp/cache" # the count lab's studies
fail() { echo "FAIL: $*" >&2; exit 1; }
bound=150 # seconds any wait may take: reached only when something is really wrong
wait_for() { # what command...
    local what=$1 start=$SECONDS
    shift
    until "$@"; do
        ((SECONDS - start < bound)) || fail "$what (after $bound s)"
        sleep 0.1
    done
}

# Without a terminal: the figures, nothing on the standard error.
"$program" --rounds 20000 --format csv > "$tmp/quiet.csv" 2> "$tmp/quiet.err"
[ ! -s "$tmp/quiet.err" ] || fail "a line without a terminal: $(cat "$tmp/quiet.err")"
grep -q '^win_per_100_rounds,' "$tmp/quiet.csv" || fail "no figures: $(head -3 "$tmp/quiet.csv")"

# On a terminal (script gives it one): the progress line, then Ctrl+C. The shell script starts
# (dash, where SHELL is unset) would not pass the signal on, hence exec.
script -qfec "exec $program --rounds 1e13 --format csv -o $tmp/stopped.csv" \
    "$tmp/terminal" > /dev/null 2>&1 &
runner=$!
progress() { grep -q 'M rounds, .* M a second, .* s left, win ' "$tmp/terminal" 2>/dev/null; }
wait_for "no progress line on the terminal" progress
pid=$(pgrep -P "$runner" -f hitwise-sim | head -n1)
[ -n "$pid" ] || fail "no hitwise-sim under script"
kill -INT "$pid"
written() { grep -q '^# stopped early' "$tmp/stopped.csv" 2>/dev/null; }
wait_for "Ctrl+C wrote no figures marked as stopped" written
wait "$runner" || fail "the stopped run's status was not 0"
grep -q '^rounds,[1-9]' "$tmp/stopped.csv" || fail "no rounds in the stopped run's figures"

if [ -n "$mpirun" ]; then
    args=(--decks 2 --players 3 --trip 200 --rounds 300000 --seed 12 --format csv)
    "$program" "${args[@]}" > "$tmp/one.csv"
    "$mpirun" --allow-run-as-root --oversubscribe -np 2 "$program" "${args[@]}" --threads 1 \
        > "$tmp/two.csv"
    cmp -s "$tmp/one.csv" "$tmp/two.csv" ||
        fail "two processes differ from one: $(diff "$tmp/one.csv" "$tmp/two.csv" | head -5)"
    echo "two processes: the digits of one"
fi
echo "1 passed, 0 failed"
