#!/usr/bin/env bash
# Runs the program from a copy of the installation folder on a private X server with its own D-Bus
# session and accessibility bus, and has a screen-reader client (pyatspi) read and drive it.
#   run_accessibility_test.sh INSTALL_DIR CLIENT_SCRIPT [PYTHON]
# Exits 77 (reported as skipped) when Xvfb, D-Bus, at-spi2-core or pyatspi is missing.
set -u
install_dir=${1:?installation folder}
client=${2:?client script}
python=${3:-/usr/bin/python3}

skip() { echo "SKIP: $*"; exit 77; }
command -v Xvfb >/dev/null || skip "Xvfb is not installed (package xvfb)"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed (package dbus)"
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || skip "the accessibility bus is not installed (package at-spi2-core)"
"$python" -c "import pyatspi" 2>/dev/null || skip "pyatspi is not installed (package python3-pyatspi)"

work=$(mktemp -d)
xvfb=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cp -a "$install_dir" "$work/bin"

# The server picks a free display itself and writes its number to the pipe.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
read -r -t 20 display <"$work/display" || { cat "$work/xvfb.log"; echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$display

# Inside the private session: the accessibility bus, the program, then the client.
export LAUNCHER=$launcher PYTHON=$python CLIENT=$client WORK=$work
dbus-run-session -- bash -c '
    "$LAUNCHER" --launch-immediately >"$WORK/bus.log" 2>&1 &
    bus=$!
    sleep 1
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb
    unset QT_QPA_PLATFORM_PLUGIN_PATH
    # The reader'"'"'s settings of a fresh user, in the private session.
    export XDG_CONFIG_HOME="$WORK/config"
    (cd "$WORK/bin" && exec ./linglu >"$WORK/program.log" 2>&1) &
    program=$!
    "$PYTHON" "$CLIENT"
    status=$?
    kill $program $bus 2>/dev/null
    wait $program 2>/dev/null
    if [ $status -ne 0 ]; then echo "--- program output"; cat "$WORK/program.log"; fi
    exit $status
'
