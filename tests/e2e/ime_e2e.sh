#!/usr/bin/env bash
# Japanese input through a real input method (fcitx5 + Mozc on a private Xvfb display): romaji is
# typed with xdotool, converted with Space and committed with Return in the middle of a line, in
# place of a selection and at the end of a wrapped row, a selection is converted again, and a
# composition is left by moving the focus; sorametext-cli then reads what was stored. A plain QPlainTextEdit goes through the same
# first steps. With SHOT_DIR set, screenshots during composition are kept (ref_* are the
# QPlainTextEdit's) to be looked at side by side.
# Usage: ime_e2e.sh SORAMETEXT SORAMETEXT_CLI GRABSCREEN IME_REFERENCE
set -euo pipefail

app=$1
cli=$2
grab=$3
reference=$4
here=$(dirname "$(realpath "$0")")
source "$here/common.sh"

# A display nobody else uses, and the input method's state in our own folder.
disp=87
while [ -e "/tmp/.X$disp-lock" ] || [ -e "/tmp/.X11-unix/X$disp" ]; do disp=$((disp + 1)); done
ime=$work/ime
ref_pid=
on_exit() {
  if [ -n "$ref_pid" ]; then kill "$ref_pid" 2>/dev/null || true; fi
  "$here/ime/stop" "$ime" || true
}
ime_env=$("$here/ime/start" ":$disp" "$ime") || { cat "$ime"/*.log >&2 || true; fail "the input method did not start"; }
eval "$ime_env"

# The input method is on for the focused window (fcitx5-remote says 2), within 15 s.
ime_active() {
  for _ in $(seq 1 150); do
    [ "$(fcitx5-remote 2>/dev/null)" = 2 ] && return 0
    sleep 0.1
  done
  fail "the input method did not become active"
}
romaji() { xdotool type --delay 90 "$1"; pause 0.6; }
key() { xdotool key --delay 60 "$@"; pause 0.5; }

# 63 columns: the row breaks after "bbbbbbbb " (59 columns), the caret goes before that space.
long="aaaaaaaaa aaaaaaaaa aaaaaaaaa aaaaaaaaa aaaaaaaaa bbbbbbbb ccc"
printf '日本語の文章です。\n東京タワー\n%s\nend' "$long" >"$work/text.txt"

# ---- the reference: QPlainTextEdit under the same input method
"$reference" "$work/text.txt" 2>"$work/reference.log" &
ref_pid=$!
rwid=$(timeout 30 xdotool search --sync --onlyvisible --name 'ime-reference' | head -n1 || true)
[ -n "$rwid" ] || { cat "$work/reference.log" >&2; fail "no reference window"; }
xdotool windowfocus --sync "$rwid"
ime_active
key ctrl+Home Right Right Right Right Right
romaji atarashii
shot ref_preedit
key space
shot ref_converted
key Return
key Down Down Home
xdotool key --repeat 58 Right
romaji atarashii
shot ref_wrapped_row
key Escape Escape
kill "$ref_pid"
wait "$ref_pid" 2>/dev/null || true
ref_pid=

# ---- sorametext
"$cli" new-group "$data" メモ >/dev/null
printf '日本語の文章です。\r\n東京タワー\r\n%s\r\nend' "$long" | iconv -f UTF-8 -t CP932 >"$work/memo.txt"
"$cli" add-text "$data" 0 "$work/memo.txt" >/dev/null
start
ime_active

# In the middle of a line: after 日本語の文.
key ctrl+Home Right Right Right Right Right
romaji atarashii
shot preedit
key space
shot converted
key Return
# In place of a selection: 東京.
key Down Home shift+Right shift+Right
romaji oosaka
shot selection_preedit
key space Return
# Reconversion of a selection: select 大阪, the conversion key, F7 (full-width katakana), commit.
key Home shift+Right shift+Right
key Henkan_Mode
shot reconversion
key F7 Return
# At the end of a wrapped row: the composition wraps like text.
key Down Home
xdotool key --repeat 58 Right
romaji atarashii
shot wrapped_row
key space Return
# Left by moving the focus to the group list: fcitx5 commits it, once.
key ctrl+End
romaji inu
xdotool mousemove --window "$wid" 60 51 click 1
pause 0.8
shot focus_left
# ファイル(&F) > 終了.
key alt+f
key Up Return
wait_gone

got=$("$cli" cat "$data" 0 0)
want=$'日本語の文新しい章です。\r\nオオサカタワー\r\n'"${long:0:58}"$'新しい ccc\r\nendいぬ'
[ "$got" = "$want" ] || {
  printf 'stored: %q\nwanted: %q\n' "$got" "$want" >&2
  fail "the committed text was not stored as typed"
}
echo "e2e: composed, converted and committed through fcitx5 + Mozc; stored once each"
