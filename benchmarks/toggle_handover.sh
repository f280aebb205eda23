#!/bin/bash
# How long `zorv --toggle` takes from the command's start until the panel is the active window
# (_NET_ACTIVE_WINDOW), against `copyq toggle` on the same X server in the same run, under a
# private Xvfb with openbox and private XDG folders. Both tools run first and are hidden before
# each measurement, so every run is a hand-over to a running instance.
# Usage: toggle_handover.sh /path/to/zorv [runs]   (20 runs unless given; needs copyq)
set -u
ZORV=$(realpath "$1")
RUNS=${2:-20}
. "$(dirname "$0")/../tests/e2e/harness.sh"
command -v copyq >/dev/null || { echo "copyq is not installed (apt-get install copyq)"; exit 1; }
PROBE="$E2E_TMP/probe.py"

# Starts the command and polls _NET_ACTIVE_WINDOW through Xlib (one round trip per poll) until
# the active window belongs to PID; prints the milliseconds.
cat >"$PROBE" <<'PY'
import ctypes as C, subprocess, sys, time

X = C.cdll.LoadLibrary("libX11.so.6")
X.XOpenDisplay.restype = C.c_void_p
X.XDefaultRootWindow.restype = C.c_ulong
X.XDefaultRootWindow.argtypes = [C.c_void_p]
X.XInternAtom.restype = C.c_ulong
X.XInternAtom.argtypes = [C.c_void_p, C.c_char_p, C.c_int]
X.XGetWindowProperty.argtypes = [C.c_void_p, C.c_ulong, C.c_ulong, C.c_long, C.c_long, C.c_int,
    C.c_ulong, C.POINTER(C.c_ulong), C.POINTER(C.c_int), C.POINTER(C.c_ulong),
    C.POINTER(C.c_ulong), C.POINTER(C.c_void_p)]
X.XFree.argtypes = [C.c_void_p]
X.XSetErrorHandler(C.CFUNCTYPE(C.c_int, C.c_void_p, C.c_void_p)(lambda d, e: 0))
dpy = X.XOpenDisplay(None)
root = X.XDefaultRootWindow(dpy)
ACTIVE = X.XInternAtom(dpy, b"_NET_ACTIVE_WINDOW", 0)
PID = X.XInternAtom(dpy, b"_NET_WM_PID", 0)

def cardinal(win, atom):
    t, f, n, a, p = C.c_ulong(), C.c_int(), C.c_ulong(), C.c_ulong(), C.c_void_p()
    if X.XGetWindowProperty(dpy, win, atom, 0, 1, 0, 0, C.byref(t), C.byref(f), C.byref(n),
                            C.byref(a), C.byref(p)) != 0 or not p.value:
        return None
    value = C.cast(p, C.POINTER(C.c_ulong))[0] if n.value else None
    X.XFree(p)
    return value

pid, command = int(sys.argv[1]), sys.argv[2:]
t0 = time.monotonic()
subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
while time.monotonic() - t0 < 5:
    win = cardinal(root, ACTIVE)
    if win and cardinal(win, PID) == pid:
        print(f"{(time.monotonic() - t0) * 1000:.1f}")
        sys.exit(0)
    time.sleep(0.0005)
print("timeout")
PY

median() { grep -v timeout | sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

start_x
xterm -T bench-term -e sleep 3600 &
PIDS="$PIDS $!"
wait_until 5 is_visible bench-term
TERM_ID=$(visible_window bench-term)

"$ZORV" --background >/dev/null 2>&1 &
ZORV_PID=$!
PIDS="$PIDS $ZORV_PID"
copyq >/dev/null 2>&1 &
COPYQ_PID=$!
PIDS="$PIDS $COPYQ_PID"
sleep 3

# measure NAME PID HIDE... -- TOGGLE...: hide the window, give the focus to the terminal, toggle.
measure() {
    name=$1 pid=$2
    shift 2
    hide=()
    while [ "$1" != -- ]; do hide+=("$1"); shift; done
    shift
    : >"$E2E_TMP/$name"
    for _ in $(seq "$RUNS"); do
        "${hide[@]}" >/dev/null 2>&1
        sleep 0.3
        xdotool windowactivate --sync "$TERM_ID" 2>/dev/null
        sleep 0.3
        python3 "$PROBE" "$pid" "$@" >>"$E2E_TMP/$name"
        sleep 0.3
    done
    echo "$name: median $(median <"$E2E_TMP/$name") ms over $RUNS runs" \
        "($(grep -c timeout "$E2E_TMP/$name") timed out)"
}

# Interleaved rounds would be fairer on a busy machine; one block each keeps the script short.
# The default hotkey never hides the panel, so Zorv's is collapsed as a user does: Ctrl+W.
hide_zorv() {
    id=$(visible_window Zorv)
    [ -z "$id" ] || xdotool windowactivate --sync "$id" key ctrl+w
}
measure "zorv --toggle" "$ZORV_PID" hide_zorv -- "$ZORV" --toggle
measure "copyq toggle" "$COPYQ_PID" copyq hide -- copyq toggle
