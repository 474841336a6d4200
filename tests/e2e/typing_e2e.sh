#!/usr/bin/env bash
# End to end on a real X display: prepare a data folder with sorametext-cli, start sorametext,
# type ASCII and Japanese into an item, switch groups with the mouse, close through the menu (and a
# second run through SIGTERM), and read the words back with sorametext-cli.
# Usage (under xvfb-run): typing_e2e.sh SORAMETEXT SORAMETEXT_CLI
set -euo pipefail

app=$1
cli=$2
source "$(dirname "$0")/common.sh"

"$cli" new-group "$data" 仕事 >/dev/null
"$cli" new-group "$data" 趣味 >/dev/null
printf 'first line\r\n' >"$work/memo.txt"
printf 'hobby\r\n' >"$work/hobby.txt"
"$cli" add-text "$data" 0 "$work/memo.txt" >/dev/null
"$cli" add-text "$data" 1 "$work/hobby.txt" >/dev/null

# ---- first run: the command-line tool left the last group (1) selected. Type there, switch to
# group 0 with the mouse, type again, close through the menu.
start
xdotool type --delay 30 'ASCII e2e '
xdotool type --delay 60 '日本語'
xdotool key Return
sleep 0.3
# The first row of the group list: rows are 13 pixels high at 10 points, below menu and tool bar.
xdotool mousemove --window "$wid" 60 51 click 1
sleep 0.5
# Back into the editor (the click gave the focus to the list), to the start of the text.
xdotool mousemove --window "$wid" 500 300 click 1
xdotool key ctrl+Home
xdotool type --delay 30 'second group '
sleep 0.3
# ファイル(&F) > 終了, the menu's last entry (Up from the first wraps round to it).
xdotool key alt+f
sleep 0.3
xdotool key Up Return
wait_gone

got1=$("$cli" cat "$data" 1 0)
got0=$("$cli" cat "$data" 0 0)
[ "$got1" = $'ASCII e2e 日本語\r\nhobby\r' ] || {
  printf 'group 1 item 0: %q\n' "$got1" >&2
  fail "the typed text did not reach group 1"
}
[ "$got0" = $'second group first line\r' ] || {
  printf 'group 0 item 0: %q\n' "$got0" >&2
  fail "the group switch or typing in group 0 failed"
}

# ---- second run: the window reopens on group 0; SIGTERM closes it the normal way
start
xdotool type --delay 30 'again '
sleep 0.3
kill -TERM "$pid"
wait_gone
got0=$("$cli" cat "$data" 0 0)
[ "$got0" = $'again second group first line\r' ] || {
  printf 'group 0 item 0 after SIGTERM: %q\n' "$got0" >&2
  fail "SIGTERM did not save"
}
echo "e2e: typed text, group switch, menu close and SIGTERM all kept"
