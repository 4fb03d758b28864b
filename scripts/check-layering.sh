#!/usr/bin/env bash
# Fails when a Qt-Core-only part (common, platform, engine, formats, settings, workflow, cli) includes
# a widget, GUI, OpenGL or libmpv header, or a header of a library above it.
# Usage: check-layering.sh <source dir> <QtCore include dir>
set -uo pipefail
src="$1/src"
qtcore="$2"
core="common platform engine formats settings workflow cli"
status=0
for dir in $core; do
  for file in "$src/$dir"/*.h "$src/$dir"/*.cpp; do
    [ -e "$file" ] || continue
    # A forwarding header left at a moved header's old path is not part of the library.
    grep -q '^// Moved:' "$file" && continue
    while IFS= read -r line; do
      header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$line")
      case "$header" in
        slider/*|widgets/*|preview/*|ui/*|app/*) ;;           # the libraries above
        Qt*/*) [[ "$header" == QtCore/* ]] && continue ;;   # a Qt module's header by its path
        mpv/*|GL/*|EGL/*|X11/*) ;;
        */*) continue ;;                                    # our own folders below, the system's
        Q*) [ -e "$qtcore/$header" ] && continue ;;         # a Qt class: Qt Core's only
        *) continue ;;                                      # the standard library
      esac
      echo "${file#$1/}: includes $header, which a Qt-Core-only library must not"
      status=1
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file")
  done
done
[ $status -eq 0 ] && echo "The Qt-Core-only libraries include only Qt Core and each other."
exit $status
