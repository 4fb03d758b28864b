#!/usr/bin/env bash
# Configures and builds Clipwright into ./build (everything runnable lands in build/bin).
# Usage: build.sh [target ...]   (no target: everything)
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build -j "$(nproc)" ${1:+--target "$@"}
