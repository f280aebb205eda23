#!/bin/bash
# The real zorv under a private Xvfb with openbox and private XDG folders, driven as a user
# would: xdotool types and clicks (plain `xdotool key` goes through XTEST, so grabs see it),
# xclip reads the clipboard, xwininfo reads window frames.
# Usage: e2e.sh /path/to/zorv
set -u
ZORV=$1
. "$(dirname "$0")/harness.sh"

CONF="$XDG_CONFIG_HOME/Zorv/Zorv.conf"
DATA="$XDG_DATA_HOME/Zorv"
ZORV_PID=""

configure() { # configure key=value... (written before a start; the file is Zorv's own)
    mkdir -p "$(dirname "$CONF")"
    { echo "[General]"; for kv in "$@"; do echo "$kv"; done; } >"$CONF"
}

start_zorv() {
    "$ZORV" >>"$E2E_TMP/zorv.log" 2>&1 &
    ZORV_PID=$!
    PIDS="$PIDS $ZORV_PID"
    wait_until 10 is_visible Zorv
}

stop_zorv() {
    [ -n "$ZORV_PID" ] || return 0
    kill "$ZORV_PID" 2>/dev/null
    wait "$ZORV_PID" 2>/dev/null
    ZORV_PID=""
    sleep 0.2
}

focus_panel() {
    id=$(visible_window Zorv)
    xdotool windowactivate --sync "$id" 2>/dev/null
    sleep 0.3
}

type_and_confirm() { # type_and_confirm TEXT
    xdotool type --delay 5 "$1"
    sleep 0.2
    xdotool key ctrl+Return
    sleep 0.5
}

history_has() { grep -qF "$1" "$DATA/history.json" 2>/dev/null; }
memo_has() { grep -qF "$1" "$DATA"/Memos/*.md 2>/dev/null; }
stored() { grep -E "^$1=" "$CONF" 2>/dev/null | head -n1 | cut -d= -f2; }

# --- the command line works without any display -------------------------------------------
no_display() { env -u DISPLAY -u WAYLAND_DISPLAY "$@"; }
check "zorv --version prints the version with no display" \
    sh -c 'env -u DISPLAY -u WAYLAND_DISPLAY "$0" --version | grep -q "^Zorv [0-9]"' "$ZORV"
check "zorv --help lists the options with no display" \
    sh -c 'env -u DISPLAY -u WAYLAND_DISPLAY "$0" --help | grep -q -- "--background"' "$ZORV"
no_display "$ZORV" --no-such-option 2>"$E2E_TMP/unknown.err"
check "an unknown option exits 2" test $? -eq 2
check "and says so in one line on stderr" test "$(wc -l <"$E2E_TMP/unknown.err")" -eq 1

start_x

# --- launch, confirm to clipboard, history and memo --------------------------------------
check "panel appears after launch" start_zorv
sleep 0.5
focus_panel
type_and_confirm "  hello zorv  "
check "confirm puts the trimmed text on the clipboard" test "$(clipboard)" = "hello zorv"
check "confirm records a card in history.json" history_has '"text":"hello zorv"'
check "confirm writes the editor's text into a memo file" memo_has "hello zorv"
check "stayOpen keeps the panel shown" is_visible Zorv

# --- a second start hands over and exits; --toggle reaches the running one -----------------
timeout 20 "$ZORV" >/dev/null 2>&1
check "a second zorv exits 0" test $? -eq 0
check "the first instance runs on" alive "$ZORV_PID"

# --- Super+9 snaps to the bottom-right corner and stores the frame --------------------------
focus_panel
xdotool key super+9
sleep 0.6
read -r x y w h <<<"$(geometry Zorv)"
check "Super+9 snaps to the bottom-right corner with a 16-point margin" \
    test "$((x + w))" -eq $((1440 - 16)) -a "$((y + h))" -eq $((900 - 16))
check "the snapped frame is stored" test "$(stored windowOriginX)" = "$x"

# --- Ctrl+Q saves and quits ---------------------------------------------------------------
focus_panel
rm -f "$DATA/history.json"
xdotool key ctrl+q
not_alive() { ! alive "$1"; }
check "Ctrl+Q quits" wait_until 5 not_alive "$ZORV_PID"
check "Ctrl+Q saves the history" history_has '"text":"hello zorv"'
ZORV_PID=""

# --- write / collapse / show / extend / collapse: the memo holds the text once -------------
panel_active() { [ "$(active_window_name)" = Zorv ]; }
collapse_and_show() {
    xdotool key ctrl+w
    wait_until 3 is_hidden Zorv
    xdotool key super+Return
    wait_until 3 panel_active
    sleep 0.2
}
memo_text() { tail -q -n +3 "$DATA"/Memos/*.md; }
rm -rf "$DATA/Memos"
start_zorv
focus_panel
xdotool type --delay 5 "first"
collapse_and_show
xdotool key ctrl+End
xdotool type --delay 5 " more"
collapse_and_show
collapse_and_show
check "collapses between shows keep the memo's text once" test "$(memo_text)" = "first more"
xdotool key ctrl+a
xdotool type --delay 5 "abc"
xdotool key Return ctrl+Return
sleep 0.3
collapse_and_show
check "a confirm ending in a line break and a collapse store it once" test "$(memo_text)" = "abc"
stop_zorv

# --- collapseOnly: the bar under the panel, a click brings the panel back -----------------
configure "afterConfirmBehavior=collapseOnly"
start_zorv
sleep 0.5
focus_panel
read -r px py pw ph <<<"$(geometry Zorv)"
type_and_confirm "collapse me"
check "collapseOnly hides the panel" wait_until 3 is_hidden Zorv
check "a collapsing confirm records one card" \
    test "$(grep -o '"text":"collapse me"' "$DATA/history.json" | wc -l)" -eq 1
check "the bar appears" wait_until 3 is_visible ZORV
read -r bx by bw bh <<<"$(geometry ZORV)"
check "the bar is 30 points high" test "$bh" -eq 30
check "the bar is centred under the panel" \
    test $((bx + bw / 2 - (px + pw / 2))) -le 1 -a $((bx + bw / 2 - (px + pw / 2))) -ge -1
check "the bar sits on the panel's former bottom edge" test $((by + bh)) -eq $((py + ph))
xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) click 1
check "a click on the bar brings the panel back" wait_until 3 is_visible Zorv
check "and hides the bar" wait_until 3 is_hidden ZORV

# --- Super+Return with the panel hidden shows it; zorv --toggle too -----------------------
xdotool key ctrl+w
check "Ctrl+W collapses the panel" wait_until 3 is_hidden Zorv
xdotool key super+Return
check "Super+Return shows the hidden panel" wait_until 3 is_visible Zorv
xdotool key ctrl+w
wait_until 3 is_hidden Zorv
timeout 20 "$ZORV" --toggle
check "zorv --toggle exits 0" test $? -eq 0
check "zorv --toggle shows the panel" wait_until 3 is_visible Zorv
stop_zorv

# --- --background shows nothing but what a user can click; --toggle brings the panel -------
"$ZORV" --background >>"$E2E_TMP/zorv.log" 2>&1 &
ZORV_PID=$!
PIDS="$PIDS $ZORV_PID"
check "zorv --background shows the bar where no tray is" wait_until 10 is_visible ZORV
sleep 0.5
check "zorv --background shows no panel" is_hidden Zorv
# 1,100 idle connections: more than the descriptors a process may hold by default.
python3 "$(dirname "$0")/hold_connections.py" "$XDG_RUNTIME_DIR/zorv/zorv.socket" 1100 \
    >"$E2E_TMP/held" 2>&1 &
PIDS="$PIDS $!"
check "1,100 idle connections are made" wait_until 20 grep -q held "$E2E_TMP/held"
timeout 20 "$ZORV" --toggle
check "zorv --toggle still reaches the running Zorv" test $? -eq 0
check "zorv --toggle shows and focuses the panel" \
    wait_until 3 sh -c '[ "$(xdotool getactivewindow getwindowname)" = Zorv ]'
timeout 20 "$ZORV" --settings
check "zorv --settings opens the running Zorv's settings" wait_until 5 is_visible "Zorv 設定"
stop_zorv

# --- returnAndCollapse hands the focus back to the window the user came from ---------------
configure "afterConfirmBehavior=returnAndCollapse"
start_zorv
sleep 0.5
xterm -T e2e-term -e sleep 600 &
PIDS="$PIDS $!"
wait_until 5 is_visible e2e-term
xdotool windowactivate --sync "$(visible_window e2e-term)"
sleep 0.3
xdotool key super+Return
sleep 0.5
check "Super+Return focuses the panel" test "$(active_window_name)" = "Zorv"
type_and_confirm "back to the terminal"
check "returnAndCollapse collapses the panel" wait_until 3 is_hidden Zorv
check "returnAndCollapse gives the focus back to the terminal" \
    wait_until 3 sh -c '[ "$(xdotool getactivewindow getwindowname)" = e2e-term ]'
check "the confirmed text is on the clipboard" test "$(clipboard)" = "back to the terminal"

# --- leaving the panel for another window collapses it (autoCollapseWhenInactive) ---------
xdotool key super+Return
wait_until 3 sh -c '[ "$(xdotool getactivewindow getwindowname)" = Zorv ]'
xdotool windowactivate --sync "$(visible_window e2e-term)"
check "activating another window collapses the panel" wait_until 3 is_hidden Zorv

# --- a termination signal quits like Ctrl+Q: text typed but not confirmed is kept -----------
xdotool key super+Return
wait_until 3 sh -c '[ "$(xdotool getactivewindow getwindowname)" = Zorv ]'
xdotool key ctrl+a
xdotool type --delay 5 "typed, never confirmed"
sleep 0.3
kill -TERM "$ZORV_PID"
wait "$ZORV_PID"
check "SIGTERM quits with status 0" test $? -eq 0
ZORV_PID=""
check "SIGTERM keeps the unconfirmed text in the memo" memo_has "typed, never confirmed"

finish
