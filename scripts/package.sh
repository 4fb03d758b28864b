#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package build/clipwright_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
cd build
cpack -G DEB
ls -1 "$PWD"/clipwright_*.deb
