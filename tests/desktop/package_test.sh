#!/usr/bin/env bash
# The Debian package, the way a user installs it: built with cpack, installed with apt-get (which
# fetches what it depends on), the programs run from /usr/bin, then removed. It changes the
# machine, so it runs only as root where SORAME_PACKAGE_TEST=1 (.ci/run); elsewhere it is skipped.
# Usage: package_test.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1
version=$2
id=$3
if [ "${SORAME_PACKAGE_TEST:-}" != 1 ] || [ "$(id -u)" != 0 ]; then
  echo "skipped: set SORAME_PACKAGE_TEST=1 and run as root to install the package"
  exit 77
fi
case $(dpkg-query -W -f='${Status}' sorametext 2>/dev/null || true) in
  *"install ok installed"*) echo "skipped: a sorametext package is already installed here"; exit 77 ;;
esac
out=$(mktemp -d)
chmod 755 "$out"  # apt reads the package as its own unprivileged user
installed=
trap 'if [ -n "$installed" ]; then apt-get remove -y -qq sorametext >/dev/null || true; fi; rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/sorametext_*.deb)
chmod 644 "$deb"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
dpkg-deb -f "$deb" Depends Recommends Installed-Size

export DEBIAN_FRONTEND=noninteractive
installed=1
apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
[ "$(env -u DISPLAY /usr/bin/sorametext --version)" = "sorametext $version" ] || fail "/usr/bin/sorametext --version"
case $(/usr/bin/sorametext-cli --help) in *"sorametext-cli new-group"*) ;; *) fail "/usr/bin/sorametext-cli --help" ;; esac
[ -f "/usr/share/applications/$id.desktop" ] || fail "no desktop entry in /usr/share/applications"
# The window itself, up to its first paint: every library and plugin it loads is there.
if command -v xvfb-run >/dev/null; then
  data=$(mktemp -d)
  painted=$(SORAMETEXT_EXIT_AFTER_FIRST_PAINT=1 XDG_RUNTIME_DIR=$data/run QT_QPA_PLATFORM=xcb \
    timeout 60 xvfb-run -a /usr/bin/sorametext --data-dir "$data/UserData" || true)
  case $painted in *first-paint-ms*) ;; *) fail "the installed program did not paint its window" ;; esac
  rm -rf "$data"
fi
apt-get remove -y -qq sorametext >/dev/null
installed=
[ ! -e /usr/bin/sorametext ] || fail "the program stayed after removal"
echo "the package installed, ran and was removed"
