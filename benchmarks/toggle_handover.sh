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
export PYTHONPATH="$(dirname "$(realpath "$0")")"

# Starts the command and polls _NET_ACTIVE_WINDOW through Xlib (one round trip per poll) until
# the active window belongs to PID; prints the milliseconds.
cat >"$PROBE" <<'PY'
import subprocess, sys, time
from xprobe import atom, prop, root

ACTIVE = atom(b"_NET_ACTIVE_WINDOW")
PID = atom(b"_NET_WM_PID")

pid, command = int(sys.argv[1]), sys.argv[2:]
t0 = time.monotonic()
subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
while time.monotonic() - t0 < 5:
    win = prop(root, ACTIVE)
    if win and prop(win, PID) == pid:
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
