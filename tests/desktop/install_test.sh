#!/usr/bin/env bash
# `cmake --install` into a temporary prefix: every file a desktop needs is there, and the
# installed programs run from it.
# Usage: install_test.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1
version=$2
id=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/sorametext bin/sorametext-cli share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/man/man1/sorametext.1.gz share/man/man1/sorametext-cli.1.gz; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
for size in 16 32 48 64 128 256; do
  case $(file "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png") in
    *"PNG image data, $size x $size"*) ;;
    *) fail "no ${size}x${size} icon" ;;
  esac
done
gzip -t "$prefix"/share/man/man1/*.gz || fail "a man page is not a valid gzip file"

[ "$(env -u DISPLAY "$prefix/bin/sorametext" --version)" = "sorametext $version" ] || fail "sorametext --version"
case $("$prefix/bin/sorametext-cli" --help) in *"sorametext-cli new-group"*) ;; *) fail "sorametext-cli --help" ;; esac
echo "installed and running from $prefix"
