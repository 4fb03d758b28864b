#!/usr/bin/env bash
# The one list of Debian packages that Clipwright needs to build, run and test.
# Installs only what is missing; runs apt-get update only when something must be installed.
set -euo pipefail

PACKAGES=(
  # build tools
  g++ cmake ninja-build pkg-config ccache
  # Qt 6 (Core, Gui, Widgets, OpenGL widgets)
  qt6-base-dev libqt6opengl6-dev libgl-dev
  # the X11 event of a window destroyed by another program
  libxcb1-dev
  # video preview
  libmpv-dev
  # the encoder, and ffprobe for the tests
  ffmpeg
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # a display for the window and the preview tests; finding the installed program's window
  xvfb xauth fonts-dejavu-core xdotool x11-utils
  # the icons rendered from their SVG, the menu entry, metainfo and manual pages checked, the
  # Debian package built and checked by lintian
  librsvg2-bin desktop-file-utils appstream groff-base dpkg-dev file lintian
  # a private session bus for the notification and task-bar tests (dbus-monitor to watch one)
  dbus-daemon dbus-bin
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
