#!/usr/bin/env bash
# The whole job on the real program at 1,000,000 and 10,000,000 generated phrases (import, "Duplicate
# Entries", sort ascending, "Repeated Spaces", highlight by a term, export to a file), each step's median
# and the peak resident memory, beside the same pipeline of standard tools run in one go.
#   bench/scale.sh [repetitions, default 5] [phrase counts in millions, default "1 10"] [language: en, ru or
#   de-fr, default en]
# Russian and German/French phrases are UTF-8; the standard tools then run with LC_ALL=C.UTF-8, whose
# "sort -f" folds ASCII letters only.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests
runs=${1:-5}
sizes=${2:-1 10}
language=${3:-en}
case "$language" in
  en) term=shoes locale=C suffix= ;;
  ru) term=обувь locale=C.UTF-8 suffix=-ru ;;
  de-fr) term=schuhe locale=C.UTF-8 suffix=-de-fr ;;
  *) echo "unknown language $language (en, ru or de-fr)" >&2; exit 2 ;;
esac
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPT_BUILD_BENCH=ON >/dev/null
cmake --build build -j 2 --target scale_bench generate_phrases

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=offscreen
mkdir -p bench/data

for millions in $sizes; do
  # Each size starts as a new user does: without the lists that the size before kept, which the program
  # would restore into the first repetition's list while that runs.
  export HOME="$scratch/$millions/home" XDG_CONFIG_HOME="$scratch/$millions/config"
  export XDG_DATA_HOME="$scratch/$millions/data" XDG_RUNTIME_DIR="$scratch/$millions/runtime"
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  phrases=bench/data/phrases-${millions}M${suffix}.txt
  count=$(awk "BEGIN { printf \"%d\", $millions * 1000000 }")
  [ -s "$phrases" ] || build/bench/core/generate_phrases "$count" "$phrases" "$language"
  ours="$scratch/ours-$millions.json"
  build/bench/scale/scale_bench --phrases="$phrases" --output="$scratch/exported.txt" --term="$term" \
    --benchmark_repetitions="$runs" --benchmark_format=json >"$ours"
  # The same job with standard tools: a case-insensitive sort that keeps one of each group, runs of blanks
  # shrunk to their first, the result written to a file while the lines with the term are picked out.
  tools="$scratch/tools-$millions.json"
  hyperfine -N --style none --runs "$runs" --warmup 1 --export-json "$tools" \
    "sh -c \"LC_ALL=$locale sort -f -u $phrases | sed -E 's/([ \\t])[ \\t]+/\\1/g' | tee $scratch/tools.txt | grep -c -i -F $term >/dev/null\"" \
    >/dev/null
  python3 bench/scale_report.py "$ours" "$tools" "$millions" "$language"
done
