#!/bin/bash
# The real zorv with its data folder on a small tmpfs that fills up: nothing written before is
# lost, the failure is logged and told, what was held is saved when space returns, and a quit
# on a full disk leaves a rescue copy. Mounting needs root: skipped (77) otherwise.
# Usage: fulldisk.sh /path/to/zorv [screenshot.png]
set -u
ZORV=$1
SHOT=${2:-}
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: mounting a tmpfs needs root"
    exit 77
fi
. "$(dirname "$0")/harness.sh"
export XDG_STATE_HOME="$E2E_TMP/state"
mount -t tmpfs -o size=256k,mode=0700 tmpfs "$XDG_DATA_HOME" || exit 77
trap 'umount -l "$XDG_DATA_HOME" 2>/dev/null; cleanup' EXIT
DATA="$XDG_DATA_HOME/Zorv"
LOG="$E2E_TMP/zorv.log"

type_and_confirm() {
    xdotool type --delay 5 "$1"
    sleep 0.2
    xdotool key ctrl+Return
    sleep 0.5
}
history_has() { grep -qF "$1" "$DATA/history.json" 2>/dev/null; }
fill_disk() { dd if=/dev/zero of="$XDG_DATA_HOME/filler" bs=4k 2>/dev/null; sync; }

start_x
"$ZORV" >>"$LOG" 2>&1 &
ZORV_PID=$!
PIDS="$PIDS $ZORV_PID"
check "panel appears" wait_until 10 is_visible Zorv
type_and_confirm "written before the disk filled"
check "a confirm with space is saved" history_has "written before the disk filled"

fill_disk
cp "$DATA/history.json" "$E2E_TMP/history.before"
memos_before=$(cat "$DATA"/Memos/*.md | md5sum)
type_and_confirm "confirmed on a full disk"
check "history.json keeps its old bytes" cmp -s "$DATA/history.json" "$E2E_TMP/history.before"
check "the memo files keep their old bytes" test "$(cat "$DATA"/Memos/*.md | md5sum)" = "$memos_before"
check "no temporary file is left" test -z "$(find "$DATA" -name '.*.??????')"
check "the failure is logged" grep -q "Zorv: failed to save history: .*No space left" "$LOG"
[ -n "$SHOT" ] && import -window root "$SHOT"

rm -f "$XDG_DATA_HOME/filler"
xdotool key ctrl+w
wait_until 3 is_hidden Zorv
xdotool key super+Return
wait_until 3 is_visible Zorv
check "the next show saves what was held" wait_until 3 history_has "confirmed on a full disk"

fill_disk
type_and_confirm "held at quit"
xdotool key ctrl+q
wait "$ZORV_PID"
ZORV_PID=""
check "a quit on a full disk leaves a rescue copy" \
    sh -c "grep -qF 'held at quit' '$XDG_STATE_HOME'/Zorv/rescue-*/history.json"
check "and says where" grep -q "kept a copy in $XDG_STATE_HOME/Zorv/rescue-" "$LOG"
finish
