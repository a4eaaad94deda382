#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks (Release), runs them and prints medians, then compares
# with standard command-line tools on the same data.   scripts/bench.sh [benchmark filter regex]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPT_BUILD_BENCH=ON >/dev/null
cmake --build build -j "$(nproc)"
filter=${1:-.}
for binary in build/bench/*/*_bench; do
  "$binary" --benchmark_filter="$filter" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done
bench/compare.sh build
