#!/usr/bin/env bash
# End to end through the real print system: a private cupsd in the foreground (its own folders,
# listening on 127.0.0.1 on a free port) with two cups-pdf queues; the program, pointed at it by
# CUPS_SERVER, lists the queues in its print dialog, and the item is printed on the queue chosen
# there (not the default one). The PDF that queue wrote must hold the Japanese text and embed a
# Japanese font. cups-pdf only runs under a cupsd started by root: skipped (77) otherwise.
# Usage (under xvfb-run): cups_e2e.sh SORAMETEXT SORAMETEXT_CLI [GRABSCREEN]
set -euo pipefail

app=$1
cli=$2
grab=${3:-}
skip() { echo "skipped: $*"; exit 77; }
[ "$(id -u)" = 0 ] || skip "cups-pdf needs a cupsd run by root"
for t in cupsd lpadmin lpstat pdftotext pdffonts fc-list; do command -v "$t" >/dev/null || skip "no $t"; done
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "no cups-pdf backend (printer-driver-cups-pdf)"
source "$(dirname "$0")/common.sh"
# cups-pdf reads a queue's settings only from /etc/cups/cups-pdf-<name>.conf: names of this run.
tag=sorame-e2e-$$
cupsd_pid=
trap 'kill $pid $cupsd_pid 2>/dev/null || true; wait 2>/dev/null || true; rm -f /etc/cups/cups-pdf-$tag-*.conf; rm -rf "$work"' EXIT
chmod 755 "$work"  # the filters run as lp and read the spooled job below it
cups=$work/cups
mkdir -p "$cups/spool" "$cups/cache" "$cups/state" "$cups/log" "$work/out-default" "$work/out-chosen"
export HOME=$work/home
mkdir -p "$HOME"

cat >"$cups/cups-files.conf" <<CONF
ServerRoot $cups
RequestRoot $cups/spool
CacheDir $cups/cache
StateDir $cups/state
TempDir $cups/spool
AccessLog $cups/log/access_log
ErrorLog $cups/log/error_log
PageLog $cups/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup root
User lp
Group lp
CONF
cups_log() { tail -n 30 "$cups/log/error_log" >&2 2>/dev/null || true; }

# A free port on 127.0.0.1: nobody answers on it, and cupsd could bind it (else the next one).
for attempt in 1 2 3 4 5; do
  port=$((20000 + (RANDOM * 7 + $$ + attempt * 101) % 40000))
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
  cat >"$cups/cupsd.conf" <<CONF
Listen 127.0.0.1:$port
Browsing Off
WebInterface No
DefaultAuthType None
LogLevel info
<Location />
  Order allow,deny
  Allow 127.0.0.1
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" &
  cupsd_pid=$!
  for _ in $(seq 1 50); do
    lpstat -h "127.0.0.1:$port" -r >/dev/null 2>&1 && break
    kill -0 "$cupsd_pid" 2>/dev/null || break
    sleep 0.1
  done
  lpstat -h "127.0.0.1:$port" -r >/dev/null 2>&1 && break
  kill "$cupsd_pid" 2>/dev/null || true
  wait "$cupsd_pid" 2>/dev/null || true
  cupsd_pid=
done
[ -n "$cupsd_pid" ] || { cups_log; fail "cupsd did not start"; }
export CUPS_SERVER=127.0.0.1:$port

# Two queues; the default one must not get the job. The default renderer (ghostscript) turns the
# PDF's fonts into Type 3 fonts without a Unicode map, so pdftotext could not read the text back:
# pdftocairo keeps the TrueType fonts.
for q in default chosen; do
  printf 'Out %s\nAnonDirName %s\nGrp root\n' "$work/out-$q" "$work/out-$q" >"/etc/cups/cups-pdf-$tag-$q.conf"
done
lpadmin -p Memo_Default -E -v "cups-pdf:/$tag-default" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
lpadmin -p Sora_PDF -E -v "cups-pdf:/$tag-chosen" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
  -o pdftops-renderer-default=pdftocairo 2>/dev/null
lpadmin -d Memo_Default

# ---- an item with Japanese text, printed from the window on the queue chosen in the dialog.
"$cli" new-group "$data" 印刷 >/dev/null
printf '日本語の印刷テスト\r\nCUPS queue line two\r\n' >"$work/memo.txt"
"$cli" add-text "$data" 0 "$work/memo.txt" >/dev/null
start
xdotool key ctrl+p
pd=
for _ in $(seq 1 50); do
  pd=$(xdotool search --onlyvisible --name '^印刷$' 2>/dev/null | head -n1 || true)
  [ -n "$pd" ] && break
  sleep 0.1
done
[ -n "$pd" ] || fail "no print dialog"
xdotool windowfocus --sync "$pd" || true
pause 0.6
# No page header: on the test queue the PostScript step (cairo) keeps a font's Japanese glyphs
# readable by pdftotext only when no Latin glyph of that font came before them, and the header
# starts with the date. ヘッダ "なし": the first radio button, found by its position on a shot.
eval "$(xdotool getwindowgeometry --shell "$pd")"
xdotool mousemove --sync $((X + 41)) $((Y + 84)) click 1
pause 0.3
# プリンタ名(&N): the default queue is shown; one down is the other queue.
xdotool key alt+n
pause 0.2
xdotool key Down
pause 0.3
shot cups_print_dialog
xdotool key Return  # 印刷
pdf=
for _ in $(seq 1 600); do
  pdf=$(find "$work/out-chosen" -name '*.pdf' -size +0 | head -n1 || true)
  if [ -n "$pdf" ] && [ -z "$(lpstat -o 2>/dev/null)" ]; then break; fi
  sleep 0.1
done
[ -n "$pdf" ] || { cups_log; fail "the chosen queue wrote no PDF"; }
[ -z "$(find "$work/out-default" -name '*.pdf')" ] || fail "the default queue printed too"

text=$(pdftotext "$pdf" -)
case $text in *日本語の印刷テスト*CUPS\ queue\ line\ two*) ;; *) fail "the PDF lacks the text: $text" ;; esac
# Embedded fonts (emb is the fifth column from the right), subset tags cut, against the
# families fontconfig knows for Japanese.
fonts=$(pdffonts "$pdf" | awk 'NR > 2 && $(NF - 4) == "yes" { sub(/^[A-Z]+\+/, "", $1); print $1 }')
found=$(printf '%s\n' "$fonts" | grep -xF -f <(fc-list :lang=ja family | tr ',' '\n' | tr -d ' ') | head -n1 || true)
[ -n "$found" ] || { pdffonts "$pdf" >&2; fail "no embedded Japanese font"; }

kill -TERM "$pid"
wait_gone
echo "e2e: printed through CUPS on the chosen queue with the embedded font $found"
