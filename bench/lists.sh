#!/usr/bin/env bash
# Deleting the phrases that hold a negative keyword, ours beside grep, on the same generated files:
# 100,000 negative words and phrases against 1,000,000 and 10,000,000 generated phrases. Ours is timed on
# the deletion alone (the lists read beforehand), grep on its whole run; both medians and their ratio, and
# how many phrases each kept, and whether they are the same lines.
#   bench/lists.sh [repetitions, default 5] [phrase counts in millions, default "1 10"]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
sizes=${2:-1 10}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPT_BUILD_BENCH=ON >/dev/null
cmake --build build -j 2 --target negative_keywords generate_phrases

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p bench/data
negatives=bench/data/negatives-100k.txt
[ -s "$negatives" ] || build/bench/core/negative_keywords write 100000 "$negatives"

for millions in $sizes; do
  phrases=bench/data/phrases-${millions}M.txt
  count=$(awk "BEGIN { printf \"%d\", $millions * 1000000 }")
  [ -s "$phrases" ] || build/bench/core/generate_phrases "$count" "$phrases" en
  ours=$(build/bench/core/negative_keywords delete "$phrases" "$negatives" "$scratch/ours.txt" "$runs")
  hyperfine -N --style none --runs "$runs" --warmup 1 --export-json "$scratch/grep.json" \
    "sh -c \"LC_ALL=C grep -v -w -i -F -f $negatives $phrases >$scratch/grep.txt\"" >/dev/null
  grep_s=$(python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['results'][0]['median'])" \
    "$scratch/grep.json")
  kept_ours=$(wc -l <"$scratch/ours.txt")
  kept_grep=$(wc -l <"$scratch/grep.txt")
  printf '\n%s phrases x 100,000 negatives, %s runs\n' "$(printf "%'d" "$count")" "$runs"
  printf '%-34s %10.0f ms  kept %d\n' "ours (deletion)" "$(echo "$ours * 1000" | bc -l)" "$kept_ours"
  printf '%-34s %10.0f ms  kept %d\n' "grep -v -w -i -F -f" "$(echo "$grep_s * 1000" | bc -l)" "$kept_grep"
  printf 'grep / ours = %.1fx\n' "$(echo "$grep_s / $ours" | bc -l)"
  if cmp -s <(tr -d '\r' <"$scratch/ours.txt") <(tr -d '\r' <"$scratch/grep.txt"); then
    echo "both kept the same lines"
  else
    echo "THE KEPT LINES DIFFER"
  fi
done
