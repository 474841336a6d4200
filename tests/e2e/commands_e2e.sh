#!/usr/bin/env bash
# End to end on a real X display, as a new user works: from an empty data folder, through menus
# and shortcuts only, create two groups and three items, type their texts (also through the
# clipboard shortcuts), copy an item to the other group, delete one item, close, start again and
# read everything back with sorametext-cli. With SHOT_DIR set, screenshots of every main menu
# opened and of both entry dialogs are saved there.
# Usage (under xvfb-run): commands_e2e.sh SORAMETEXT SORAMETEXT_CLI [GRABSCREEN]
set -euo pipefail

app=$1
cli=$2
grab=${3:-}
source "$(dirname "$0")/common.sh"

# The entry dialog is open with its proposed name selected: type over it and press OK (Return).
name_it() {
  xdotool type --delay 60 "$1"
  pause 0.2
  xdotool key Return
  pause 0.5
  refocus
}

# ---- first run: an empty data folder
start
[ "$("$cli" ls "$data" 2>/dev/null || true)" = "" ] || fail "the data folder is not empty"

# Two groups: グループ(&G) > グループ追加
menu g 0
shot entry_dialog
name_it '仕事'
menu g 0
name_it '趣味'

# The second group is open: two items in it. アイテム(&I) > アイテム追加; the editor takes the typing.
menu i 0
name_it '本'
xdotool type --delay 40 'book list'
pause 0.2
menu i 0
name_it '映画'
xdotool type --delay 40 'watch later'
xdotool key Return
pause 0.3

# Copy the open item to the other group: アイテム > 他のグループへコピー (the last entry) > 仕事.
xdotool key alt+i
pause
xdotool key Up
pause 0.2
xdotool key Right
pause 0.3
shot copy_submenu
xdotool key Return
pause 0.6

# Back to the first item (表示 > 戻る) and delete it: アイテム > アイテム削除, OK in the question.
menu v 0
menu i 2
shot delete_question
xdotool key Return
pause 0.5
refocus

# The multi-delete dialog, looked at and cancelled: グループ > グループまとめて削除.
menu g 3
shot multidelete_dialog
xdotool key Escape
pause 0.4
refocus

# A third item, written partly through the clipboard: select all, copy, new line, paste.
menu i 0
name_it 'メモ'
xdotool type --delay 40 'memo '
xdotool type --delay 60 '日本語'
pause 0.2
xdotool key ctrl+a ctrl+c End Return ctrl+v
pause 0.4

# Screenshots of every main menu opened.
for key in f e s g i v t; do
  xdotool key "alt+$key"
  pause 0.5
  shot "menu_$key"
  xdotool key Escape
  pause 0.2
  xdotool key Escape
  pause 0.2
done

# Close: ファイル(&F) > 終了, the menu's last entry (Up from the first wraps round to it).
xdotool key alt+f
pause
xdotool key Up Return
wait_gone

check_first() {
  local groups
  groups=$("$cli" ls "$data" | cut -f1,3,4)
  [ "$groups" = $'0\t1\t仕事\n1\t2\t趣味' ] || {
    printf 'groups: %q\n' "$groups" >&2
    fail "groups and item counts"
  }
  local items0 items1
  items0=$("$cli" ls "$data" 0 | cut -f1,4)
  items1=$("$cli" ls "$data" 1 | cut -f1,4)
  [ "$items0" = $'0\t映画' ] || { printf 'group 0: %q\n' "$items0" >&2; fail "the copy in group 0"; }
  [ "$items1" = $'0\t映画\n1\tメモ' ] || { printf 'group 1: %q\n' "$items1" >&2; fail "items of group 1"; }
  local t
  t=$("$cli" cat "$data" 0 0)
  [ "$t" = $'watch later\r' ] || { printf 'copy: %q\n' "$t" >&2; fail "the copy's text"; }
  t=$("$cli" cat "$data" 1 0)
  [ "$t" = $'watch later\r' ] || { printf 'source: %q\n' "$t" >&2; fail "the source's text"; }
  t=$("$cli" cat "$data" 1 1)
  [ "$t" = $'memo 日本語\r\nmemo 日本語' ] || { printf 'memo: %q\n' "$t" >&2; fail "the memo's text"; }
}
check_first

# ---- second run: everything is found again; the window reopens on the memo at the line the
# caret was on, and typing goes on there.
start
shot restart
xdotool type --delay 40 'again '
pause 0.3
xdotool key alt+f
pause
xdotool key Up Return
wait_gone
t=$("$cli" cat "$data" 1 1)
[ "$t" = $'memo 日本語\r\nagain memo 日本語' ] || { printf 'after the restart: %q\n' "$t" >&2; fail "typing after the restart"; }
echo "e2e: groups, items, copy, delete, clipboard and restart all kept"
