#!/usr/bin/env bash
# Fails when a Qt-Core-only library (common, platform, engine, formats, settings, workflow) includes
# a widget, GUI, OpenGL or libmpv header, or a header of a library above it; the desktop library
# may include Qt D-Bus besides.
# Usage: check-layering.sh <source dir> <QtCore include dir>
set -uo pipefail
src="$1/src"
qtcore="$2"
qtdbus="$(dirname "$qtcore")/QtDBus"
core="common platform engine formats settings workflow desktop"
status=0
for dir in $core; do
  dbus_ok=no
  [ "$dir" = desktop ] && dbus_ok=yes
  for file in "$src/$dir"/*.h "$src/$dir"/*.cpp; do
    [ -e "$file" ] || continue
    # A forwarding header left at a moved header's old path is not part of the library.
    grep -q '^// Moved:' "$file" && continue
    while IFS= read -r line; do
      header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$line")
      case "$header" in
        slider/*|widgets/*|preview/*|ui/*|app/*|desktop/*)    # the libraries above
          [ "$dbus_ok" = yes ] && [[ "$header" == desktop/* ]] && continue ;;
        Qt*/*) [[ "$header" == QtCore/* ]] && continue
               [ "$dbus_ok" = yes ] && [[ "$header" == QtDBus/* ]] && continue ;;
        mpv/*|GL/*|EGL/*|X11/*) ;;
        */*) continue ;;                                    # our own folders below, the system's
        Q*) [ -e "$qtcore/$header" ] && continue            # a Qt class: Qt Core's only
            [ "$dbus_ok" = yes ] && [ -e "$qtdbus/$header" ] && continue ;;
        *) continue ;;                                      # the standard library
      esac
      echo "${file#$1/}: includes $header, which a Qt-Core-only library must not"
      status=1
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file")
  done
done
[ $status -eq 0 ] && echo "The Qt-Core-only libraries include only Qt Core (and Qt D-Bus for desktop) and each other."
exit $status
