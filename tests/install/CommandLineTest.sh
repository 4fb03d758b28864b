#!/usr/bin/env bash
# The program's command line without a display: --help and --version answer on standard output
# and exit 0 before Qt would need one; a wrong option gets a short usage on standard error, exit 2.
# Usage: CommandLineTest.sh <program> <version>
set -uo pipefail
program=$1 version=$2

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# No display at all, and the X11 platform asked for: a QApplication made here would abort.
run() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" "$@" >"$work/out" 2>"$work/err"; }

run --version; rc=$?
[ $rc -eq 0 ] || fail "--version exits $rc: $(cat "$work/err")"
[ "$(cat "$work/out")" = "clipwright $version" ] || fail "--version says: $(cat "$work/out")"
[ ! -s "$work/err" ] || fail "--version writes to standard error: $(cat "$work/err")"
echo "--version: $(cat "$work/out")"

# Qt's own options before it are passed over; help wins over the file.
run -platform offscreen --help clip.mp4; rc=$?
[ $rc -eq 0 ] || fail "--help exits $rc: $(cat "$work/err")"
head -1 "$work/out" | grep -qx 'Usage: clipwright \[OPTION\]\.\.\. \[FILE\]' || fail "--help says: $(cat "$work/out")"
grep -q -- '--version' "$work/out" || fail "--help does not name --version"
[ ! -s "$work/err" ] || fail "--help writes to standard error"

run --bogus clip.mp4; rc=$?
[ $rc -eq 2 ] || fail "an unknown option exits $rc"
[ ! -s "$work/out" ] || fail "an unknown option writes to standard output"
grep -q "unknown option '--bogus'" "$work/err" || fail "no word on the unknown option: $(cat "$work/err")"
grep -q '^Usage: clipwright' "$work/err" || fail "no usage after an unknown option"
echo "--bogus: exit 2, $(head -1 "$work/err")"
