# Sourced first by the tests that read a program through AT-SPI: the test runs again inside a
# D-Bus session of its own, where the accessibility bus starts on demand.
if [ -z "${HITWISE_A11Y_SESSION:-}" ]; then
    export HITWISE_A11Y_SESSION=1
    exec dbus-run-session -- bash "$0" "$@"
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
