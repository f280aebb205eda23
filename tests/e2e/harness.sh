# Shared pieces of the end-to-end tests: a private X server with openbox, private XDG
# folders, and small waits. Sourced by e2e.sh.

E2E_TMP=$(mktemp -d /tmp/zorv-e2e.XXXXXX)
export HOME="$E2E_TMP/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CACHE_HOME="$HOME/.cache"
export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
export QT_QPA_PLATFORM=xcb
export XDG_SESSION_TYPE=x11

PASSED=0
FAILED=0
PIDS=""

cleanup() {
    for pid in $PIDS; do kill "$pid" 2>/dev/null; done
    sleep 0.3
    for pid in $PIDS; do kill -9 "$pid" 2>/dev/null; done
    rm -rf "$E2E_TMP"
}
trap cleanup EXIT

start_x() {
    # -displayfd picks a free display: other programs on the machine may hold one.
    exec 5>"$E2E_TMP/display"
    Xvfb -displayfd 5 -screen 0 1440x900x24 -nolisten tcp >"$E2E_TMP/xvfb.log" 2>&1 &
    PIDS="$PIDS $!"
    for _ in $(seq 100); do
        [ -s "$E2E_TMP/display" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    PIDS="$PIDS $!"
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.05
    done
}

ok() {
    PASSED=$((PASSED + 1))
    echo "PASS: $1"
}

fail() {
    FAILED=$((FAILED + 1))
    echo "FAIL: $1"
}

check() { # check "name" command...
    name=$1
    shift
    if "$@"; then ok "$name"; else fail "$name"; fi
}

# wait_until SECONDS command...: polls every 50 ms.
wait_until() {
    limit=$(($1 * 20))
    shift
    for _ in $(seq "$limit"); do
        "$@" 2>/dev/null && return 0
        sleep 0.05
    done
    return 1
}

visible_window() { # visible_window NAME -> the id of a visible window named exactly NAME
    # xdotool matches names without regard to case ("Zorv" would find "ZORV" too).
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
            echo "$id"
            return
        fi
    done
}

alive() { # alive PID: running and not a zombie waiting to be reaped
    state=$(ps -o stat= -p "$1" 2>/dev/null)
    [ -n "$state" ] && [ "${state#Z}" = "$state" ]
}

is_visible() { [ -n "$(visible_window "$1")" ]; }
is_hidden() { [ -z "$(visible_window "$1")" ]; }

active_window_name() { xdotool getactivewindow getwindowname 2>/dev/null; }

clipboard() { xclip -o -selection clipboard 2>/dev/null; }

# geometry NAME -> "x y w h" of the visible window in root coordinates (top-left origin)
geometry() {
    id=$(visible_window "$1")
    [ -n "$id" ] || return 1
    xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
        /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

finish() {
    # A sanitizer's finding fails the run even when no check noticed the process go.
    if grep -qE "runtime error:|ERROR: [A-Za-z]+Sanitizer" "$E2E_TMP/zorv.log" 2>/dev/null; then
        fail "zorv ran without a sanitizer report"
    fi
    echo "e2e: $PASSED passed, $FAILED failed"
    if [ "$FAILED" -ne 0 ]; then
        # What zorv printed explains a failure (a crash report, a sanitizer's trace).
        echo "--- zorv's output ---"
        tail -n 200 "$E2E_TMP/zorv.log" 2>/dev/null
    fi
    [ "$FAILED" -eq 0 ]
}
