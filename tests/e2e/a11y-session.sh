# Sourced first by the tests that read a program through AT-SPI: the test runs again inside a
# D-Bus session of its own, where the accessibility bus starts on demand. Its runtime folder is
# its own too: the accessibility bus keeps its socket there, and tests run side by side.
if [ -z "${HITWISE_A11Y_SESSION:-}" ]; then
    export HITWISE_A11Y_SESSION=1
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR XDG_CACHE_HOME="$XDG_RUNTIME_DIR/cache"
    status=0
    dbus-run-session -- bash "$0" "$@" || status=$?
    rm -rf "$XDG_RUNTIME_DIR"
    exit "$status"
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
