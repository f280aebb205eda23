#!/bin/bash
# Kills the real zorv with SIGKILL at random moments while it confirms texts, then checks that
# every file in the data folder still parses and every card whose confirm had reached
# history.json is still there. Runs under a private Xvfb with openbox and private XDG folders.
# Usage: kill_soak.sh /path/to/zorv [kills]    (20 unless given; `make test` runs 20)
set -u
ZORV=$(realpath "$1")
KILLS=${2:-20}
. "$(dirname "$0")/../tests/e2e/harness.sh"
DATA="$XDG_DATA_HOME/Zorv"
CONFIRMED="$E2E_TMP/confirmed"
: >"$CONFIRMED"
mkdir -p "$XDG_CONFIG_HOME/Zorv"
printf '[General]\nmaxCards=100000\n' >"$XDG_CONFIG_HOME/Zorv/Zorv.conf"

# Every file parses; every confirmed text is a card. Prints the counts.
check_files() {
    python3 - "$DATA" "$CONFIRMED" <<'PY'
import json, os, sys
data, confirmed = sys.argv[1], sys.argv[2]
cards = []
path = os.path.join(data, "history.json")
if os.path.exists(path):
    cards = [c["text"] for c in json.load(open(path, encoding="utf-8"))["cards"]]
memos = os.path.join(data, "Memos")
files = [f for f in os.listdir(memos) if f.endswith(".md")] if os.path.isdir(memos) else []
for name in files:
    text = open(os.path.join(memos, name), "rb").read().decode("utf-8")
    assert text.startswith("# "), name + " lost its heading"
wanted = [line.rstrip("\n") for line in open(confirmed, encoding="utf-8")]
lost = [w for w in wanted if w not in cards]
assert not lost, "lost cards: %r" % lost
aside = [f for f in os.listdir(data) if "unreadable" in f or "other version" in f]
assert not aside, "set aside: %r" % aside
print("cards %d, memo files %d, confirmed %d" % (len(cards), len(files), len(wanted)))
PY
}

confirm() { # confirm TEXT: replaces the editor's text with TEXT and confirms it
    xdotool key ctrl+a
    xdotool type --delay 2 "$1"
    xdotool key ctrl+Return
}

start_x
for i in $(seq "$KILLS"); do
    "$ZORV" >>"$E2E_TMP/zorv.log" 2>&1 &
    pid=$!
    typist=""
    if wait_until 10 is_visible Zorv; then
        sleep 0.2
        confirm "soak $i first"
        wait_until 3 grep -qF "\"soak $i first\"" "$DATA/history.json" &&
            echo "soak $i first" >>"$CONFIRMED"
        confirm "soak $i second" &
        typist=$!
        sleep "0.$(printf '%03d' $((RANDOM % 400)))"
    fi
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    [ -n "$typist" ] && wait "$typist"
    if out=$(check_files 2>&1); then ok "kill $i: $out"; else fail "kill $i: $out"; fi
done
finish
