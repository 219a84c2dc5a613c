#!/bin/sh
# The explorer without a display, with a display that does not answer and with
# an unknown option: one line on stderr and the exit status, never Qt's abort.
# Usage: start-test.sh path/to/vistal
set -u
vistal=$1
err=$(mktemp)
runtime=$(mktemp -d)
trap 'rm -rf "$err" "$runtime"' EXIT
status=0
expect() { # expect STATUS LINE-PATTERN COMMAND...
    want=$1 pattern=$2
    shift 2
    "$@" 2>"$err" >/dev/null </dev/null
    got=$?
    lines=$(grep -c . "$err")
    if [ "$got" != "$want" ] || [ "$lines" != 1 ] || ! grep -q "$pattern" "$err"; then
        echo "FAIL: $*: status $got (wanted $want), stderr:"
        cat "$err"
        status=1
    fi
}
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$runtime"
expect 1 '^vistal: no display (DISPLAY and WAYLAND_DISPLAY are unset)' env -u DISPLAY "$vistal"
# A display number no X server listens on.
expect 1 '^vistal: cannot open a window: .*display' env DISPLAY=:1023 "$vistal"
# Qt takes its own options first.
expect 2 "^vistal: unknown option '--bogus'" env -u DISPLAY "$vistal" -platform offscreen --bogus
expect 2 "^vistal: --lang: 'fr' is not ja or en" env -u DISPLAY "$vistal" --lang fr
exit $status
