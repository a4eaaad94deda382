#!/usr/bin/env bash
# Times the benchmark data with standard command-line tools and prints our medians beside theirs.
# Usage: bench/compare.sh BUILD_DIR   (run by scripts/bench.sh after the benchmarks were built)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
DATA_DIR=bench/data
mkdir -p "$DATA_DIR"
for n in 1000000 10000000; do
  f="$DATA_DIR/phrases-$((n / 1000000))M.txt"
  [ -s "$f" ] || "$BUILD/bench/core/generate_phrases" "$n" "$f"
done
DATA_1M=$DATA_DIR/phrases-1M.txt
DATA_10M=$DATA_DIR/phrases-10M.txt
RUNS=${RUNS:-5}

# Median wall time in ms of a shell command, over $RUNS runs.
tool_median_ms() {
  local json
  json=$(mktemp)
  hyperfine -N --style none --runs "$RUNS" --warmup 1 --export-json "$json" "$1" >/dev/null 2>&1 ||
    hyperfine --style none --runs "$RUNS" --warmup 1 --export-json "$json" "$1" >/dev/null
  python3 -c 'import json,sys; print(round(json.load(open(sys.argv[1]))["results"][0]["median"]*1000, 1))' "$json"
  rm -f "$json"
}

# Median real time in ms of the benchmarks matching a filter (exactly one benchmark should match).
bench_median_ms() {
  local binary=$1 filter=$2
  "$binary" --benchmark_filter="^${filter}\$" --benchmark_repetitions="$RUNS" --benchmark_format=json 2>/dev/null |
    python3 -c '
import json, sys
runs = [b for b in json.load(sys.stdin)["benchmarks"] if b.get("aggregate_name") == "median"]
b = runs[0]
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
print(round(b["real_time"] * scale, 1))'
}

printf '%-44s %12s %12s %8s\n' "job (1,000,000 phrases unless named)" "ours ms" "tool ms" "ratio"
report() {
  local name=$1 ours=$2 tool=$3
  python3 -c 'import sys; n,o,t=sys.argv[1],float(sys.argv[2]),float(sys.argv[3]); print(f"{n:44s} {o:12.1f} {t:12.1f} {t/o if o else 0:7.1f}x")' "$name" "$ours" "$tool"
}

CORE_BENCH=$BUILD/bench/core/core_bench
report "dedupe vs sort -f -u" "$(bench_median_ms "$CORE_BENCH" 'BM_RemoveDuplicates/1000000')" \
  "$(tool_median_ms "sh -c 'LC_ALL=C sort -f -u $DATA_1M > /dev/null'")"
report "dedupe vs awk !seen[toupper]" "$(bench_median_ms "$CORE_BENCH" 'BM_RemoveDuplicates/1000000')" \
  "$(tool_median_ms "sh -c 'awk \"!seen[toupper(\\\$0)]++\" $DATA_1M > /dev/null'")"
report "sort ascending vs sort -f" "$(bench_median_ms "$CORE_BENCH" 'BM_SortBy/1000000/1')" \
  "$(tool_median_ms "sh -c 'LC_ALL=C sort -f $DATA_1M > /dev/null'")"
report "import (read file) vs cat" "$(bench_median_ms "$CORE_BENCH" 'BM_ReadKeywordFile/1000000')" \
  "$(tool_median_ms "sh -c 'cat $DATA_1M > /dev/null'")"
report "export (write file) vs cat > file" "$(bench_median_ms "$CORE_BENCH" 'BM_AllToTextFile/1000000')" \
  "$(tool_median_ms "sh -c 'cat $DATA_1M > /tmp/pt-compare-cat.txt'")"
report "10M: dedupe vs sort -f -u" "$(bench_median_ms "$CORE_BENCH" 'BM_RemoveDuplicates/10000000')" \
  "$(tool_median_ms "sh -c 'LC_ALL=C sort -f -u $DATA_10M > /dev/null'")"

# Peak resident memory of loading the 10M list, as a multiple of the file's size.
rss_kb=$(/usr/bin/time -v "$BUILD/bench/core/load_list" "$DATA_10M" 2>&1 >/dev/null | awk '/Maximum resident/ {print $6}')
python3 -c 'import os,sys; kb,f=int(sys.argv[1]),sys.argv[2]; s=os.path.getsize(f); print(f"10M list loaded: peak RSS {kb/1024:.0f} MiB = {kb*1024/s:.2f} x file size ({s/2**20:.0f} MiB)")' "$rss_kb" "$DATA_10M"

# Further comparisons, one file per area: bench/compare-*.sh, sourced with the functions above.
for extra in bench/compare-*.sh; do
  [ -e "$extra" ] && source "$extra"
done
rm -f /tmp/pt-compare-cat.txt
