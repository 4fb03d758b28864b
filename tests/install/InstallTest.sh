#!/usr/bin/env bash
# Installs the build into a temporary prefix (no root needed) and checks what a person gets.
#   layout: the laid-out files, the links, and that they are the build's own
#   start:  the installed command starts and shows its window (needs a display: xvfb-run)
# Usage: InstallTest.sh layout|start <build dir> <bindir> <program folder> <datadir> <ffmpeg> <mandir>
set -euo pipefail
mode=$1 build=$2 bindir=$3 appdir=$4 datadir=$5 ffmpeg=$6 mandir=$7
readonly kSkip=77 # CTest's SKIP_RETURN_CODE

fail() { echo "FAIL: $*" >&2; exit 1; }

if [ "$mode" = start ] && [ -z "${DISPLAY:-}" ]; then
  echo "No display: run under xvfb-run to start the installed program."
  exit $kSkip
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log"

check_layout() {
  local expected actual
  expected=$(
    printf '%s\n' "$bindir/clipwright" "$bindir/clipwright-cut" \
      "$appdir/clipwright" "$appdir/clipwright-cut" "$appdir/presets.xml" "$appdir/codecs.xml" "$appdir/Help.html" \
      "$appdir/ffmpeg" "$datadir/man/man1/clipwright-cut.1.gz" \
      "$datadir/applications/clipwright.desktop" \
      "$datadir/metainfo/example.orvanta.Clipwright.metainfo.xml" \
      "$datadir/icons/hicolor/scalable/apps/clipwright.svg" \
      "$datadir/doc/clipwright/copyright" "$datadir/doc/clipwright/changelog.gz" "$mandir/man1/clipwright.1.gz"
    for size in 16 32 48 64 128 256; do
      echo "$datadir/icons/hicolor/${size}x${size}/apps/clipwright.png"
    done
  )
  # Exactly these files: anything more (a test, a benchmark, a library's own install) fails.
  actual=$(cd "$prefix" && find . -mindepth 1 ! -type d | sed 's|^\./||' | sort)
  diff <(sort <<<"$expected") <(echo "$actual") || fail "installed files differ from the list above"

  # The commands are relative links into the program folder, so they survive DESTDIR and moves.
  for command in clipwright clipwright-cut; do
    [ -L "$prefix/$bindir/$command" ] || fail "bin/$command is not a link"
    [[ $(readlink "$prefix/$bindir/$command") != /* ]] || fail "bin/$command is an absolute link"
    [ "$(readlink -f "$prefix/$bindir/$command")" = "$(readlink -f "$prefix/$appdir/$command")" ] ||
      fail "bin/$command does not lead to the program folder"
    [ -x "$prefix/$appdir/$command" ] || fail "$command is not executable"
  done
  # Started through its link, clipwright-cut finds the catalogue in the program folder.
  "$prefix/$bindir/clipwright-cut" --list-presets | grep -q '^Everyday/' ||
    fail "the installed clipwright-cut does not read the program folder's presets"
  gzip -dc "$prefix/$datadir/man/man1/clipwright-cut.1.gz" | grep -q '^\.TH CLIPWRIGHT-CUT 1' ||
    fail "clipwright-cut's manual page is not a compressed manual page"

  # The encoder beside the program is the system's ffmpeg, and it works: a prefix of one's own
  # does not hold the system's ffmpeg, so the link is absolute here.
  [ "$(readlink "$prefix/$appdir/ffmpeg")" = "$ffmpeg" ] || fail "the encoder link is not $ffmpeg"
  "$prefix/$appdir/ffmpeg" -hide_banner -loglevel error -f lavfi -i testsrc2=size=64x48:duration=0.2 \
    -f null - || fail "the installed encoder does not encode"

  # What runs from build/bin is what gets installed.
  for f in clipwright clipwright-cut presets.xml codecs.xml Help.html; do
    cmp "$build/bin/$f" "$prefix/$appdir/$f" || fail "$f differs from the build's"
  done

  for size in 16 32 48 64 128 256; do
    file "$prefix/$datadir/icons/hicolor/${size}x${size}/apps/clipwright.png" |
      grep -q "PNG image data, $size x $size," || fail "the ${size} px icon is not a $size x $size PNG"
  done

  # DESTDIR: everything lands under it, and the command's link still resolves there.
  DESTDIR=$work/stage cmake --install "$build" --prefix /opt/clipwright >/dev/null
  [ "$(readlink -f "$work/stage/opt/clipwright/$bindir/clipwright")" = \
    "$(readlink -f "$work/stage/opt/clipwright/$appdir/clipwright")" ] || fail "DESTDIR install is incomplete"
  echo "layout ok: $(wc -l <<<"$actual") files"
}

# Window ids of the program's visible windows named "Clipwright". A window may go between the
# search and a later look at it (Qt replaces a top-level's native window when the preview's
# surface joins it): every look at one window tolerates its absence.
windows() { xdotool search --onlyvisible --pid "$1" --name '^Clipwright$' 2>/dev/null || true; }
# A window that has gone is no dialog.
is_dialog() {
  local type
  type=$(xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null) || return 1
  [[ $type == *_NET_WM_WINDOW_TYPE_DIALOG* ]]
}
# The main window: prints a visible window of the program's that is no dialog and still there.
# Answers 1 when there is none, 2 when a dialog (a message box of the same name) is up.
main_window() {
  local id main=""
  for id in $(windows "$1"); do
    is_dialog "$id" && return 2
    xdotool getwindowname "$id" >/dev/null 2>&1 && main=$id
  done
  [ -n "$main" ] || return 1
  echo "$main"
}
# Seconds since the epoch, with a fraction; whether that time is still before $1.
now() { date +%s.%N; }
later() { awk -v t="$(now)" -v s="$1" 'BEGIN { printf "%.3f\n", t + s }'; }
before() { awk -v now="$(now)" -v limit="$1" 'BEGIN { exit !(now < limit) }'; }

# Waits up to $2 seconds for the main window of program $1 and prints it; fails the test on a
# dialog ($3 says when) or the program's end.
await_main_window() {
  local pid=$1 deadline main rc
  deadline=$(later "$2")
  while before "$deadline"; do
    kill -0 "$pid" 2>/dev/null || { cat "$work/program.log" >&2; fail "the program ended $3"; }
    rc=0
    main=$(main_window "$pid") || rc=$?
    [ $rc -eq 2 ] && { kill -KILL "$pid"; fail "the program showed a message box $3"; }
    [ $rc -eq 0 ] && { echo "$main"; return 0; }
    sleep 0.1
  done
  kill -KILL "$pid"
  fail "no window named Clipwright within $2 s $3"
}

check_start() {
  command -v xdotool >/dev/null && command -v xprop >/dev/null ||
    fail "xdotool and xprop are needed: bash scripts/install-deps.sh"
  # A home and runtime folder of its own: the saved settings and the single-instance lock go there.
  mkdir -p "$work/home" "$work/runtime"
  chmod 700 "$work/runtime"
  env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME HOME="$work/home" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    "$prefix/$bindir/clipwright" >"$work/program.log" 2>&1 &
  local pid=$! main deadline
  # The main window must appear, alone: a message box at start-up (a missing catalogue) is a
  # dialog window of the same name. A loaded machine may take its time.
  main=$(await_main_window "$pid" 60 "at start-up")
  # It stays up, with no message box coming after the window: watched for two seconds, ending at
  # once on a dialog or the program's end.
  deadline=$(later 2)
  while before "$deadline"; do
    main=$(await_main_window "$pid" 10 "after start-up")
    sleep 0.1
  done
  xdotool getwindowgeometry "$main" 2>/dev/null || true
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null || true
  echo "start ok: window $main"
}

case $mode in
  layout) check_layout ;;
  start) check_start ;;
  *) fail "unknown mode $mode" ;;
esac
