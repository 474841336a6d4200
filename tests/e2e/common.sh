# Shared by the end-to-end scripts: a private data folder and runtime directory, and the steps
# that drive the real program with xdotool. Sourced after app, cli, grab (optional) are set.
work=$(mktemp -d)
pid=
more_pids=  # other processes a script started, stopped with it
# A script that starts more (an input method) may also define on_exit to stop it.
trap 'kill $pid $more_pids 2>/dev/null || true; if [ "$(type -t on_exit)" = function ]; then on_exit || true; fi; wait 2>/dev/null || true; rm -rf "$work"' EXIT
data=$work/UserData
export SORAMETEXT_DATA_DIR=$data
# A runtime directory of its own, so a running sorametext of the user does not count as ours.
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export LANG=ja_JP.UTF-8 LC_ALL=C.UTF-8
# No print server: printing goes to a PDF file whatever queues the machine has.
export CUPS_SERVER=$work/no-cups.sock
shots=${SHOT_DIR:-}

fail() { echo "FAIL: $*" >&2; exit 1; }
pause() { sleep "${1:-0.4}"; }
shot() { if [ -n "$shots" ] && [ -n "${grab:-}" ]; then "$grab" "$shots/$1.png"; fi; }

# Starts the program (with any arguments given) and waits for its window.
start() {
  "$app" "$@" &
  pid=$!
  wid=$(timeout 30 xdotool search --sync --onlyvisible --name 'ソラメtext' | head -n1 || true)
  [ -n "$wid" ] || fail "no window"
  xdotool windowfocus --sync "$wid" || true
  pause 0.6
}

wait_gone() {
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" || true; return 0; }
    sleep 0.1
  done
  fail "sorametext did not end"
}

# A visible window whose name matches the pattern $1, other than the main window, waited for at
# most $2 tenths of a second (15 s); fails at once when the program has ended.
window_named() {
  local w=
  for _ in $(seq 1 "${2:-150}"); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "${wid:-none}" | head -n1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Main menu $1 (its Alt letter), $2 entries down, chosen.
menu() {
  local key=$1 downs=$2
  xdotool key "alt+$key"
  pause
  for _ in $(seq 1 "$downs"); do xdotool key Down; done
  xdotool key Return
  pause 0.8
}

# Without a window manager nobody gives the focus back to the main window when a dialog closes.
refocus() {
  xdotool windowfocus --sync "$wid" || true
  pause 0.3
}
