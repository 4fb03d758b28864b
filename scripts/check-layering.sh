#!/usr/bin/env bash
# Fails when a Qt-Core-only library includes a widget, GUI, OpenGL or libmpv header, or a header
# of one of our folders that its place in the graph does not allow:
#   common <- platform <- contract <- engine, formats (which do not include each other),
#   settings, workflow, desktop; cli uses those only. desktop may include Qt D-Bus besides.
# Usage: check-layering.sh <source dir> <QtCore include dir>
set -uo pipefail
src="$1/src"
qtcore="$2"
qtdbus="$(dirname "$qtcore")/QtDBus"
declare -A allowed=(
  [common]="common"
  [platform]="common platform"
  [contract]="common platform contract"
  [engine]="common platform contract engine"
  [formats]="common platform contract formats"
  [settings]="common platform settings"
  [workflow]="common platform workflow"
  [desktop]="common platform desktop"
  [cli]="common platform contract engine formats settings workflow cli"
)
ours="common platform contract engine formats settings workflow desktop cli slider widgets preview ui app"
status=0
for dir in "${!allowed[@]}"; do
  dbus_ok=no
  [ "$dir" = desktop ] && dbus_ok=yes
  for file in "$src/$dir"/*.h "$src/$dir"/*.cpp; do
    [ -e "$file" ] || continue
    while IFS= read -r line; do
      header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$line")
      folder=${header%%/*}
      case "$header" in
        Qt*/*) [[ "$header" == QtCore/* ]] && continue        # a Qt module's header by its path
               [ "$dbus_ok" = yes ] && [[ "$header" == QtDBus/* ]] && continue ;;
        mpv/*|GL/*|EGL/*|X11/*|xcb/*) ;;
        */*)
          [[ " $ours " == *" $folder "* ]] || continue        # the system's
          [[ " ${allowed[$dir]} " == *" $folder "* ]] && continue ;;
        Q*) [ -e "$qtcore/$header" ] && continue              # a Qt class: Qt Core's only
            [ "$dbus_ok" = yes ] && [ -e "$qtdbus/$header" ] && continue ;;
        *) continue ;;                                        # the standard library
      esac
      echo "${file#$1/}: includes $header, which $dir must not"
      status=1
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file")
  done
done
[ $status -eq 0 ] && echo "The Qt-Core-only libraries include only Qt Core (and Qt D-Bus for desktop) and the folders below them."
exit $status
