#!/usr/bin/env bash
# Installs what is missing, builds the benchmark if needed, and runs it:
#   bash bench/run.sh [pairs of runs, default 5]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
if [ ! -f build/build.ninja ]; then
  launcher=()
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
fi
cmake --build build --target bench_engine -j "$(nproc)" >/dev/null
exec build/bin/bench_engine "$@"
