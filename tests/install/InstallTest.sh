#!/usr/bin/env bash
# Installs the build into a temporary prefix (no root needed) and checks what a person gets.
#   layout: the laid-out files, the links, and that they are the build's own
#   start:  the installed command starts and shows its window (needs a display: xvfb-run)
# Usage: InstallTest.sh layout|start <build dir> <bindir> <program folder> <datadir> <ffmpeg>
set -euo pipefail
mode=$1 build=$2 bindir=$3 appdir=$4 datadir=$5 ffmpeg=$6
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
      "$datadir/icons/hicolor/scalable/apps/clipwright.svg"
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

  # The encoder beside the program is the system's ffmpeg, and it works.
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

# Window ids of the program's visible windows named "Clipwright".
windows() { xdotool search --onlyvisible --pid "$1" --name '^Clipwright$' 2>/dev/null || true; }
is_dialog() { xprop -id "$1" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_DIALOG; }

check_start() {
  command -v xdotool >/dev/null && command -v xprop >/dev/null ||
    fail "xdotool and xprop are needed: bash scripts/install-deps.sh"
  # A home and runtime folder of its own: the saved settings and the single-instance lock go there.
  mkdir -p "$work/home" "$work/runtime"
  chmod 700 "$work/runtime"
  env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME HOME="$work/home" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    "$prefix/$bindir/clipwright" >"$work/program.log" 2>&1 &
  local pid=$! main=""
  # The main window must appear, alone: a message box at start-up (a missing catalogue) is a
  # dialog window of the same name.
  for _ in $(seq 1 80); do
    kill -0 "$pid" 2>/dev/null || { cat "$work/program.log" >&2; fail "the program ended at start-up"; }
    for id in $(windows "$pid"); do
      is_dialog "$id" && { kill -KILL "$pid"; fail "the program showed a message box at start-up"; }
      main=$id
    done
    [ -n "$main" ] && break
    sleep 0.25
  done
  [ -n "$main" ] || { kill -KILL "$pid"; fail "no window named Clipwright within 20 s"; }
  # It stays up, with no message box coming after the window.
  sleep 2
  kill -0 "$pid" 2>/dev/null || fail "the program ended after showing its window"
  for id in $(windows "$pid"); do
    is_dialog "$id" && { kill -KILL "$pid"; fail "the program showed a message box after start-up"; }
  done
  xdotool getwindowgeometry "$main"
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null || true
  echo "start ok: window $main"
}

case $mode in
  layout) check_layout ;;
  start) check_start ;;
  *) fail "unknown mode $mode" ;;
esac
