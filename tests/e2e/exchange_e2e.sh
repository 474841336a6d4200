#!/usr/bin/env bash
# End to end on a real X display: find with Ctrl+F through the find dialog, F3 and Shift+F3; a
# search of the group's items with its result window, opening a row; export a group to an
# exchange file and import it back as a new group; print the open item to a PDF file through the
# print dialog, after a look at the preview. Everything is checked afterwards with sorametext-cli
# and pdftotext. With SHOT_DIR set, screenshots of the find, replace, result, print and preview
# windows are saved there.
# Usage (under xvfb-run): exchange_e2e.sh SORAMETEXT SORAMETEXT_CLI [GRABSCREEN]
set -euo pipefail

app=$1
cli=$2
grab=${3:-}
source "$(dirname "$0")/common.sh"
# The print dialog's PDF file goes to the home folder unless a path is typed; keep it ours.
export HOME=$work/home
mkdir -p "$HOME"

# The dialog named $1 (exactly), waiting for it to appear.
dialog() { window_named "^$1\$" 50 || fail "no window named $1"; }

# Qt's own file dialog: a full path typed into its name field, accepted.
file_dialog() {
  pause 0.6
  xdotool key ctrl+a
  xdotool type --delay 20 "$1"
  pause 0.2
  xdotool key Return
  pause 0.8
}

# ---- the data: group 0 (野菜) with one item, group 1 (果物) with two, the last one (fruit) open.
"$cli" new-group "$data" 野菜 >/dev/null
"$cli" new-group "$data" 果物 >/dev/null
printf 'tomato\r\n' >"$work/veg.txt"
printf 'apple banana apple\r\ncherry apple' >"$work/fruit.txt"
printf 'green kiwi' >"$work/kiwi.txt"
"$cli" add-text "$data" 0 "$work/veg.txt" >/dev/null
"$cli" add-text "$data" 1 "$work/kiwi.txt" "$work/fruit.txt" >/dev/null

start
shot main

# ---- find: Ctrl+F "apple" selects the first, F3 the second (typed over with X), Shift+F3 from
# there the first again (typed over with Y).
xdotool key ctrl+Home
xdotool key ctrl+f
dialog 検索 >/dev/null
pause 0.4
xdotool type --delay 40 'apple'
pause 0.2
shot find_dialog
xdotool key Return
pause 0.5
refocus
xdotool key F3
pause 0.3
xdotool type --delay 40 'X'
xdotool key shift+F3
pause 0.3
xdotool type --delay 40 'Y'
pause 0.3

# ---- the replace dialog, looked at and closed.
xdotool key ctrl+r
rd=$(dialog 置換)
pause 0.5
shot replace_dialog
xdotool windowfocus --sync "$rd" || true
xdotool key Escape
pause 0.3
refocus

# ---- search the group's items for "kiwi": range "グループ内の全アイテム" (Tab to the range, Down).
xdotool key ctrl+f
dialog 検索 >/dev/null
pause 0.4
xdotool key ctrl+a
xdotool type --delay 40 'kiwi'
for _ in 1 2 3 4 5 6 7; do xdotool key Tab; done
xdotool key Down
pause 0.2
xdotool key Return
pause 0.6
# The open item was typed in: "検索する前に開いているアイテムを保存します", OK.
xdotool key Return
pause 0.6
res=$(dialog 検索結果)
pause 0.3
shot results_window
# "開く" opens the first row: the kiwi item with the hit selected; typing replaces it.
xdotool windowfocus --sync "$res" || true
pause 0.3
xdotool key Return
pause 0.5
xdotool windowfocus --sync "$res" || true
xdotool key Escape
pause 0.3
refocus
xdotool type --delay 40 'Z'
pause 0.3

# ---- export the group (ファイル > グループのエクスポート), then import it back.
menu f 4
xdotool key Return  # "エクスポートする前に開いているグループを保存します": OK
pause 0.6
shot export_dialog
file_dialog "$work/fruit.txt"
shot export_done
xdotool key Return  # "エクスポートに成功しました"
pause 0.4
refocus
[ -s "$work/fruit.sted" ] || fail "no exchange file"
[ ! -e "$work/fruit.txt.sted" ] || fail "the extension was not replaced"

menu f 3
file_dialog "$work/fruit.sted"
xdotool key Return  # "インポートに成功しました"
pause 0.6
refocus
shot imported

# ---- print the open item (the imported group's) to a PDF file, after the preview.
xdotool key ctrl+p
pd=$(dialog 印刷)
pause 0.8
shot print_dialog
# "プレビュー": the third button on the dialog's right side, found by its position on the shot.
eval "$(xdotool getwindowgeometry --shell "$pd")"
xdotool mousemove --sync $((X + WIDTH - 64)) $((Y + 73)) click 1
pause 1.0
if pv=$(dialog Preview 2>/dev/null); then
  pause 0.5
  shot preview
  xdotool windowfocus --sync "$pv" || true
  xdotool key Escape
  pause 0.4
else
  echo "note: the preview window did not open at the guessed button position" >&2
fi
xdotool windowfocus --sync "$pd" || true
pause 0.3
xdotool key Return  # "印刷"
file_dialog "$work/printed.pdf"
pause 0.5
refocus
[ -s "$work/printed.pdf" ] || fail "no PDF printed"
pdftotext -layout "$work/printed.pdf" "$work/printed.txt"
grep -q 'green Z' "$work/printed.txt" || { cat "$work/printed.txt" >&2; fail "the PDF lacks the item's text"; }

# ---- close (ファイル > 終了, the last entry) and read everything back.
xdotool key alt+f
pause
xdotool key Up Return
wait_gone

names=$("$cli" ls "$data" | cut -f1,3,4)
[ "$names" = $'0\t1\t野菜\n1\t2\t果物\n2\t2\t果物' ] || { printf 'groups: %q\n' "$names" >&2; fail "the imported group"; }
t=$("$cli" cat "$data" 1 1)
[ "$t" = $'Y banana X\r\ncherry apple' ] || { printf 'fruit: %q\n' "$t" >&2; fail "find, F3 and Shift+F3"; }
t=$("$cli" cat "$data" 1 0)
[ "$t" = 'green Z' ] || { printf 'kiwi: %q\n' "$t" >&2; fail "opening the result row"; }
for i in 0 1; do
  [ "$("$cli" cat "$data" 2 $i)" = "$("$cli" cat "$data" 1 $i)" ] || fail "imported item $i differs"
done
echo "e2e: find, F3/Shift+F3, group search, export, import and printing to PDF all done"
