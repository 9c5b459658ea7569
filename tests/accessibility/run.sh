#!/usr/bin/env bash
# Starts the program under Xvfb with a session bus of its own and the desktop's accessibility
# bus, and reads it through AT-SPI as a screen reader does (readers.py).
#   run.sh PROGRAM
# Exits 77 (skipped, for CTest) with a line saying why when what it needs is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
skip() {
    echo "SKIPPED: $*"
    exit 77
}
launcher=/usr/libexec/at-spi-bus-launcher
[[ -x $launcher ]] || skip "no $launcher (Debian's at-spi2-core)"
command -v dbus-run-session >/dev/null || skip "no dbus-run-session (Debian's dbus)"
command -v Xvfb >/dev/null || skip "no Xvfb"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "no pyatspi (Debian's python3-pyatspi)"
command -v xclip >/dev/null || skip "no xclip, to read the clipboard"

# A folder of its own: the program writes result.html beside itself.
work=$(mktemp -d)
cp "$program" "$work/kelvaron"

# -noreset: the server must not start over when its last client goes (xclip, between reads).
exec 3< <(exec Xvfb -displayfd 1 -noreset -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb=$!
trap 'kill $xvfb; rm -rf "$work"' EXIT
read -r display <&3 || skip "Xvfb did not start"
export DISPLAY=:$display QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export XDG_RUNTIME_DIR=$work NO_AT_BRIDGE=0
# Built with the sanitizers, the program still reports its own errors; xkbcommon's reading of a
# string past its end (strict checks) and the leaks of the X and D-Bus libraries are not ours.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}strict_string_checks=0:detect_leaks=0

# The session bus ends with the script inside it; the accessibility bus with its launcher.
dbus-run-session -- bash -c '
    "$1" --launch-immediately 2>/dev/null &
    for _ in $(seq 100); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true && break
        sleep 0.1
    done
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1 || { echo "SKIPPED: the accessibility bus did not start"; exit 77; }
    "$2/kelvaron" 2>"$2/kelvaron.log" &
    program=$!
    status=0
    /usr/bin/python3 "$3/readers.py" "$2" || status=$?
    kill $program
    if ((status)); then cat "$2/kelvaron.log"; fi
    exit $status
' run "$launcher" "$work" "$here" 2> >(grep -v -e "fd limit" -e "Activat" -e "SpiRegistry" >&2)
