#!/bin/bash
# Start-up, hotkey and memory figures of the real zorv under a private Xvfb with openbox.
# Usage: app_timing.sh /path/to/zorv [runs] [memos]
# Prints the median of each figure over the runs (20 unless given):
#   launch:  process start -> the panel mapped and painted (a pixel of its backdrop on screen)
#   hotkey:  Super+Return through XTEST with the panel collapsed -> the panel painted and the
#            active window "Zorv", with `memos` memo files in the folder (1 unless given)
#   rss:     VmRSS 5 s after launch with 50 cards and 20 memos in the data folder
# Wall times are noisy on a loaded machine, so the CPU time zorv spent (all threads) is given
# beside each.
set -u
ZORV=$(realpath "$1")
RUNS=${2:-20}
MEMOS=${3:-1}
. "$(dirname "$0")/../tests/e2e/harness.sh"

CONF_DIR="$XDG_CONFIG_HOME/Zorv"
DATA="$XDG_DATA_HOME/Zorv"
PROBE="$E2E_TMP/probe.py"
export PYTHONPATH="$(dirname "$(realpath "$0")")"

# The probe polls the screen through Xlib directly: one X round trip per poll instead of a
# process per poll, so a figure is exact to about a millisecond.
cat >"$PROBE" <<'PY'
import ctypes as C, os, subprocess, sys, time
from xprobe import X, atom, dpy, prop, root

XT = C.cdll.LoadLibrary("libXtst.so.6")
X.XGetImage.restype = C.c_void_p
X.XGetImage.argtypes = [C.c_void_p, C.c_ulong, C.c_int, C.c_int, C.c_uint, C.c_uint, C.c_ulong, C.c_int]
X.XGetPixel.restype = C.c_ulong
X.XGetPixel.argtypes = [C.c_void_p, C.c_int, C.c_int]
X.XDestroyImage.argtypes = [C.c_void_p]
X.XFlush.argtypes = [C.c_void_p]
X.XSync.argtypes = [C.c_void_p, C.c_int]
X.XStringToKeysym.restype = C.c_ulong
X.XStringToKeysym.argtypes = [C.c_char_p]
X.XKeysymToKeycode.restype = C.c_ubyte
X.XKeysymToKeycode.argtypes = [C.c_void_p, C.c_ulong]
XT.XTestFakeKeyEvent.argtypes = [C.c_void_p, C.c_uint, C.c_int, C.c_ulong]

ACTIVE = atom(b"_NET_ACTIVE_WINDOW")
NAME = atom(b"_NET_WM_NAME")

def pixel(x, y):
    img = X.XGetImage(dpy, root, x, y, 1, 1, 0xFFFFFFFF, 2)
    if not img:
        return None
    value = X.XGetPixel(img, 0, 0) & 0xFFFFFF
    X.XDestroyImage(img)
    return value

def active_name():
    win = prop(root, ACTIVE)
    return prop(win, NAME) if win else None

def cpu_ns(pid):  # time on the CPU of every thread of pid
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except OSError:
            pass
    return total

def wait(cond, limit=10.0):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        if cond():
            return True
        time.sleep(0.001)
    return False

mode, x, y = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
if mode == "pixel":
    print(pixel(x, y))
elif mode == "launch":  # launch ZORV X Y COLOUR -> prints "ms cpu_ms pid"
    colour = int(sys.argv[5])
    t0 = time.monotonic()
    proc = subprocess.Popen([sys.argv[4]], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    ok = wait(lambda: pixel(x, y) == colour)
    t1 = time.monotonic()
    cpu = cpu_ns(proc.pid)
    print(f"{(t1 - t0) * 1000:.1f} {cpu / 1e6:.1f} {proc.pid}" if ok else f"timeout 0 {proc.pid}")
elif mode == "hotkey":  # hotkey X Y COLOUR PID -> prints "ms cpu_ms"
    colour, pid = int(sys.argv[4]), int(sys.argv[5])
    sup = X.XKeysymToKeycode(dpy, X.XStringToKeysym(b"Super_L"))
    ret = X.XKeysymToKeycode(dpy, X.XStringToKeysym(b"Return"))
    X.XSync(dpy, 0)
    c0 = cpu_ns(pid)
    t0 = time.monotonic()
    XT.XTestFakeKeyEvent(dpy, sup, 1, 0)
    XT.XTestFakeKeyEvent(dpy, ret, 1, 0)
    XT.XTestFakeKeyEvent(dpy, ret, 0, 0)
    XT.XTestFakeKeyEvent(dpy, sup, 0, 0)
    X.XFlush(dpy)
    ok = wait(lambda: pixel(x, y) == colour and active_name() == b"Zorv")
    t1 = time.monotonic()
    c1 = cpu_ns(pid)
    print(f"{(t1 - t0) * 1000:.1f} {(c1 - c0) / 1e6:.1f}" if ok else "timeout 0")
PY

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

fresh_profile() {
    rm -rf "$CONF_DIR" "$DATA"
}

stop() { # stop PID: ends it and waits until its single-instance lock is free again
    kill "$1" 2>/dev/null
    wait_until 5 sh -c "! kill -0 $1"
    sleep 0.1
}

# 50 cards and 20 memos in the formats zorv itself writes.
prepare_data() {
    mkdir -p "$DATA/Memos"
    python3 - "$DATA" <<'PY'
import json, sys, uuid
folder = sys.argv[1]
cards = [{"id": str(uuid.uuid4()).upper(), "text": f"カード {i}: " + "text to paste " * (i % 7 + 1),
          "createdAt": 786000000.0 + i, "isPinned": i % 10 == 0} for i in range(50)]
with open(f"{folder}/history.json", "w") as f:
    json.dump({"cards": cards}, f, ensure_ascii=False, separators=(",", ":"))
for i in range(20):
    with open(f"{folder}/Memos/{str(uuid.uuid4()).upper()}.md", "w") as f:
        f.write(f"# メモ {i}\n\n" + "".join(f"line {n} of memo {i}\n" for n in range(40)))
PY
}

start_x

# Where the panel's backdrop shows, and its colour once painted: the default frame of a fresh
# profile, read from one calibration start.
fresh_profile
"$ZORV" >/dev/null 2>&1 &
PID=$!
PIDS="$PIDS $PID"
wait_until 10 is_visible Zorv || { echo "zorv did not show its panel"; exit 1; }
sleep 1
read -r GX GY GW GH < <(geometry Zorv)
PX=$((GX + GW - 40))
PY_=$((GY + GH / 2))
COLOUR=$(python3 "$PROBE" pixel "$PX" "$PY_")
stop "$PID"
[ "$COLOUR" != 0 ] || { echo "no backdrop colour at $PX,$PY_"; exit 1; }

# --- launch to panel painted ----------------------------------------------------------------
: >"$E2E_TMP/launch"
for _ in $(seq "$RUNS"); do
    fresh_profile
    read -r MS CPU PID < <(python3 "$PROBE" launch "$PX" "$PY_" "$ZORV" "$COLOUR")
    PIDS="$PIDS $PID"
    echo "$MS $CPU" >>"$E2E_TMP/launch"
    stop "$PID"
done
echo "launch to panel painted: median $(cut -d' ' -f1 "$E2E_TMP/launch" | median) ms wall," \
    "$(cut -d' ' -f2 "$E2E_TMP/launch" | median) ms CPU"

# --- hotkey to focused panel ----------------------------------------------------------------
fresh_profile
mkdir -p "$DATA/Memos"
python3 - "$DATA/Memos" "$MEMOS" <<'PY'
import sys, uuid
for i in range(int(sys.argv[2])):
    with open(f"{sys.argv[1]}/{str(uuid.uuid4()).upper()}.md", "w") as f:
        f.write(f"# メモ {i}\n\n" + "".join(f"line {n} of memo {i}\n" for n in range(40)))
PY
"$ZORV" >/dev/null 2>&1 &
PID=$!
PIDS="$PIDS $PID"
wait_until 10 is_visible Zorv
sleep 1
: >"$E2E_TMP/hotkey"
for _ in $(seq "$RUNS"); do
    xdotool windowactivate --sync "$(visible_window Zorv)" 2>/dev/null
    sleep 0.2
    xdotool key ctrl+w
    wait_until 5 is_hidden Zorv
    sleep 0.5
    python3 "$PROBE" hotkey "$PX" "$PY_" "$COLOUR" "$PID" >>"$E2E_TMP/hotkey"
    sleep 0.3
done
stop "$PID"
echo "hotkey to focused panel, $MEMOS memo files: median $(cut -d' ' -f1 "$E2E_TMP/hotkey" | median) ms wall," \
    "$(cut -d' ' -f2 "$E2E_TMP/hotkey" | median) ms CPU"
grep -c timeout "$E2E_TMP/hotkey" | grep -qx 0 || echo "  (some hotkey runs timed out)"

# --- idle memory ----------------------------------------------------------------------------
: >"$E2E_TMP/rss"
for _ in $(seq "$RUNS"); do
    fresh_profile
    prepare_data
    "$ZORV" >/dev/null 2>&1 &
    PID=$!
    PIDS="$PIDS $PID"
    sleep 5
    awk '/^VmRSS:/{print $2}' "/proc/$PID/status" >>"$E2E_TMP/rss"
    stop "$PID"
done
echo "idle RSS, 50 cards and 20 memos: median $(median <"$E2E_TMP/rss") kB"
