#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks if needed, and runs them:
#   bash bench/run.sh [engine|cut|preview|loads|cli] [rounds] [program ...]
# engine: the encoder job against ffmpeg run directly (rounds: pairs of runs, default 5);
# cli: a 60 s 720p cut through clipwright-cut against the command it runs, run directly (rounds:
# pairs of runs, default 3);
# cut: what the cut's seek position costs (rounds: runs per position, default 1; the first run
# makes its 10-minute clip once into build/bench-cache); preview: the window's preview playing a
# 720p clip against ffplay under a virtual display (rounds: default 5; programs: other builds of
# bench_preview_app to measure beside this one in the same run, e.g. one built from an earlier
# commit, or "build/bin/bench_preview_app option=value" to try mpv options); loads: the memory
# of the window's preview after 1 and after 40 loads of a 720p clip beside ffplay's (rounds: the
# number of loads, default 40; programs as for preview). Without a name, all five run.
set -euo pipefail
cd "$(dirname "$0")/.."
which=all
case "${1:-}" in
  engine|cut|preview|loads|cli) which=$1; shift ;;
esac
bash scripts/install-deps.sh
if [ "$which" = all ] || [ "$which" = engine ]; then
  bash scripts/build.sh bench_engine >/dev/null
  build/bin/bench_engine "$@"
fi
if [ "$which" = all ] || [ "$which" = cut ]; then
  bash scripts/build.sh bench_cut >/dev/null
  build/bin/bench_cut "$@"
fi
if [ "$which" = all ] || [ "$which" = preview ]; then
  bash scripts/build.sh bench_preview bench_preview_app >/dev/null
  xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/bench_preview "$@"
fi
if [ "$which" = all ] || [ "$which" = loads ]; then
  bash scripts/build.sh bench_loads bench_preview_app >/dev/null
  xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/bench_loads "$@"
fi
if [ "$which" = all ] || [ "$which" = cli ]; then
  bash scripts/build.sh bench_cli >/dev/null
  build/bin/bench_cli "$@"
fi
