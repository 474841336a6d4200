#!/usr/bin/env bash
# End to end on a real X display, as a user who built the program: started from a build folder
# it keeps the notes in the user's data folder and writes nothing beside itself; a second start
# brings the running window to the front and writes nothing; sorametext-cli writes to another
# data folder while the program runs, and is refused on the program's; a "UserData" folder that
# exists beside the program is used instead.
# Usage (under xvfb-run): desktop_e2e.sh SORAMETEXT SORAMETEXT_CLI
set -euo pipefail

built=$1
cli=$2
source "$(dirname "$0")/common.sh"
unset SORAMETEXT_DATA_DIR
export HOME=$work/home XDG_DATA_HOME=$work/xdg
mkdir -p "$HOME"
# A build folder of its own: the program alone in it.
mkdir "$work/build"
cp "$built" "$work/build/sorametext"
app=$work/build/sorametext
data=$XDG_DATA_HOME/sorametext/UserData

"$cli" new-group "$data" メモ >/dev/null
printf 'first\r\n' >"$work/memo.txt"
"$cli" add-text "$data" 0 "$work/memo.txt" >/dev/null

focused() { xdotool getwindowfocus 2>/dev/null || true; }

# ---- the program on the user's data folder; type into the open item.
start
a_pid=$pid
a_wid=$wid
xdotool key ctrl+End
xdotool type --delay 30 'typed'
pause 0.3

# ---- another window in front: a second program of another user's session (its own runtime
# folder), on a folder of its own.
XDG_RUNTIME_DIR=$work/run2 "$app" --data-dir "$work/other" &
b_pid=$!
more_pids=$b_pid
mkdir -m 700 -p "$work/run2"
b_wid=
for _ in $(seq 1 100); do
  b_wid=$(xdotool search --onlyvisible --name 'ソラメtext' 2>/dev/null | grep -vx "$a_wid" | head -n1 || true)
  [ -n "$b_wid" ] && break
  sleep 0.1
done
[ -n "$b_wid" ] || fail "the other program's window did not appear"
xdotool windowfocus --sync "$b_wid" || true
pause 0.5
[ "$(focused)" != "$a_wid" ] || fail "the first window still has the focus"

# ---- the second start on our runtime folder: the running window comes to the front, status 0,
# and the folder it was given is not even created.
timeout 20 "$app" --data-dir "$work/never" || fail "the second start ended with status $?"
for _ in $(seq 1 50); do
  [ "$(focused)" = "$a_wid" ] && break
  sleep 0.1
done
[ "$(focused)" = "$a_wid" ] || fail "the running window did not get the focus (focus: $(focused), window: $a_wid)"
# xwininfo lists the root's children top first.
top=
for w in $(xwininfo -root -children | awk '/^ +0x/ {print $1}'); do
  if [ "$((w))" = "$a_wid" ] || [ "$((w))" = "$b_wid" ]; then
    top=$((w))
    break
  fi
done
[ "$top" = "$a_wid" ] || fail "the running window is not on top"
[ ! -e "$work/never" ] || fail "the second start created its data folder"

# ---- the folder lock: the command-line tool may write elsewhere, not in the program's folder.
"$cli" new-group "$work/cli-only" 別 >/dev/null || fail "the CLI could not write to another folder"
if err=$("$cli" new-group "$data" 拒否 2>&1 >/dev/null); then fail "the CLI wrote to the program's folder"; fi
[ "$(printf '%s\n' "$err" | wc -l)" = 1 ] || fail "the refusal is not one line: $err"
case $err in *"in use"*) ;; *) fail "unclear refusal: $err" ;; esac
"$cli" ls "$data" >/dev/null || fail "reading the program's folder was refused"

# ---- both end through SIGTERM, the normal close.
kill -TERM "$b_pid" || fail "the other program had ended"
kill -TERM "$a_pid" || fail "the program had ended"
wait_gone
wait "$b_pid" || true
[ "$("$cli" cat "$data" 0 0)" = $'first\r\ntyped' ] || fail "the typed text is not in the user's data folder"
[ "$(ls -A "$work/build")" = sorametext ] || fail "written beside the program: $(ls -A "$work/build")"

# ---- a UserData folder beside the program is that copy's data folder.
mkdir "$work/build/UserData"
start
kill -TERM "$pid"
wait_gone
[ -s "$work/build/UserData/main.bin" ] || fail "the folder beside the program was not used"
[ "$("$cli" ls "$data" | wc -l)" = 1 ] || fail "the user's data folder changed"
echo "e2e: data folder, second start and the folder lock all behave"
