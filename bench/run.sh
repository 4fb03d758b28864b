#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks if needed, and runs them:
#   bash bench/run.sh [engine|cut] [rounds]
# engine: the encoder job against ffmpeg run directly (rounds: pairs of runs, default 5);
# cut: what the cut's seek position costs (rounds: runs per position, default 1; the first run
# makes its 10-minute clip once into build/bench-cache). Without a name, both run.
set -euo pipefail
cd "$(dirname "$0")/.."
which=all
case "${1:-}" in
  engine|cut) which=$1; shift ;;
esac
bash scripts/install-deps.sh
if [ "$which" != cut ]; then
  bash scripts/build.sh bench_engine >/dev/null
  build/bin/bench_engine "$@"
fi
if [ "$which" != engine ]; then
  bash scripts/build.sh bench_cut >/dev/null
  build/bin/bench_cut "$@"
fi
