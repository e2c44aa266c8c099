#!/usr/bin/env bash
# Builds the Debian package, checks its dependencies, lints it, unpacks it into a scratch root
# and starts the packaged program once.
source "$(dirname "$0")/a11y-session.sh"
source "$(dirname "$0")/../../scripts/lib/x11.sh"
build=$1

(cd "$build" && cpack -G DEB -B "$E2E_TMP/package" >/dev/null)
deb=$(ls "$E2E_TMP"/package/hitwise_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libqt6sql6 libqt6sql6-sqlite libjpeg62-turbo \
    fonts-liberation xdg-utils; do
    grep -q "$needed" <<< "$depends" || fail "Depends lacks $needed: $depends"
done
contents=$(dpkg-deb -c "$deb")
grep -q './usr/games/hitwise -> ../lib/hitwise/hitwise' <<< "$contents" || fail "no games/hitwise link"
grep -q './usr/share/applications/com.example.hitwise.desktop' <<< "$contents" || fail "no desktop entry"

# Errors and warnings fail; informational tags are shown.
lint=$(lintian --fail-on error,warning -I "$deb" 2>&1 | grep -v 'with root privileges';
       exit "${PIPESTATUS[0]}") || fail "lintian: $lint"
echo "lintian: ${lint:-no tags}"

root="$E2E_TMP/root"
dpkg-deb -x "$deb" "$root"
start_xvfb
start_program "$root/usr/games/hitwise" /
window=$(main_window)
click_card "$window" p 10
click_card "$window" p A
click_card "$window" d 4
shown hitwise "^Dealer's up card: Four of spades$"
[ "$(visible_windows)" -eq 1 ] || fail "an error box is open"
echo "package: $(basename "$deb")"
echo "Depends: $depends"
echo "1 passed, 0 failed"
