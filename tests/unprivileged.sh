#!/usr/bin/env bash
# unprivileged.sh PROGRAM CARD_FOLDER [ARGUMENTS...]
# Folder permissions mean nothing to root, so some cases run as the user nobody. That user may
# not be able to enter the checkout at all (a clone under a private folder), so the test program
# and the card pictures it copies are given to it in a scratch folder it can reach.
set -euo pipefail
program=$1
cards=$2
shift 2

scratch=$(mktemp -d /tmp/hitwise-unprivileged.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
mkdir "$scratch/cards"
cp "$program" "$scratch/"
cp "$cards"/*.jpg "$scratch/cards/"
chmod -R a+rX "$scratch"

cd "$scratch"
env HITWISE_CARD_DIR="$scratch/cards" HOME=/tmp TMPDIR=/tmp XDG_RUNTIME_DIR= \
    setpriv --reuid=nobody --regid=nogroup --clear-groups \
    "$scratch/$(basename "$program")" "$@"
