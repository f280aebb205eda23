#!/bin/bash
# zorv in a Wayland session, as on a desktop whose portal offers no global shortcuts: headless
# weston with XWayland, private XDG folders and no session bus. The panel shows through
# XWayland, the hotkey is logged as not available, and `zorv --toggle` reaches the running one.
# Usage: wayland.sh /path/to/zorv
set -u
ZORV=$1
. "$(dirname "$0")/harness.sh"

if ! command -v weston >/dev/null || ! command -v Xwayland >/dev/null; then
    echo "SKIP: weston or Xwayland is not installed"
    exit 0
fi
unset DISPLAY QT_QPA_PLATFORM
export XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=zorv-e2e
weston --backend=headless-backend.so --xwayland --no-config --idle-time=0 \
    --socket="$WAYLAND_DISPLAY" --log="$E2E_TMP/weston.log" >/dev/null 2>&1 &
PIDS="$PIDS $!"
wait_until 10 grep -q "xserver listening on display" "$E2E_TMP/weston.log"
DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$E2E_TMP/weston.log")
export DISPLAY

mkdir -p "$XDG_CONFIG_HOME/Zorv"
printf '[General]\ntoggleHotkey=controlSpace\n' >"$XDG_CONFIG_HOME/Zorv/Zorv.conf"
"$ZORV" >>"$E2E_TMP/zorv.log" 2>&1 &
PIDS="$PIDS $!"
check "the panel shows through XWayland" wait_until 10 is_visible Zorv
check "the hotkey is logged as not available" wait_until 5 grep -q \
    "toggle hotkey Super+Space: not available" "$E2E_TMP/zorv.log"
timeout 10 "$ZORV" --toggle
check "zorv --toggle hides the panel" wait_until 3 is_hidden Zorv
timeout 10 "$ZORV" --toggle
check "zorv --toggle shows it again" wait_until 3 is_visible Zorv
finish
