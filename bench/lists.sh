#!/usr/bin/env bash
# The commands of one list against another, ours beside the standard tools' equivalent on the same generated
# files: 1,000,000 and 10,000,000 generated phrases against a list of 100,000 negative words and phrases.
# Ours is timed on the command alone (the lists read beforehand, the deletion or highlight included), the
# tool on its whole run; both medians on the clock, their ratio, ours in processor time (both threads, which
# a loaded machine inflates less), how many lines each kept, and whether they are the same.
#   bench/lists.sh [repetitions, default 5] [phrase counts in millions, default "1 10"] [commands]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
sizes=${2:-1 10}
commands=${3:-delete-found highlight-found keep-found add-missing delete-containing}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPT_BUILD_BENCH=ON >/dev/null
cmake --build build -j 2 --target negative_keywords generate_phrases >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p bench/data
negatives=bench/data/negatives-100k.txt
[ -s "$negatives" ] || build/bench/core/negative_keywords write 100000 "$negatives"
# The phrase files end their lines in CR LF; a whole-line grep needs the CR in its patterns too.
sed 's/$/\r/' "$negatives" >"$scratch/negatives-crlf.txt"

# The tool's equivalent of a command, reading the list $1 and the other list $2.
tool() {
  case $1 in
    delete-found) echo "grep -v -x -i -F -f $scratch/negatives-crlf.txt $2" ;;
    highlight-found | keep-found) echo "grep -x -i -F -f $scratch/negatives-crlf.txt $2" ;;
    add-missing) echo "mawk -v RS='\r?\n' 'NR == FNR { seen[tolower(\$0)]; print; next } !(tolower(\$0) in seen) { seen[tolower(\$0)]; print }' $2 $3" ;;
    delete-containing) echo "grep -v -w -i -F -f $3 $2" ;;
  esac
}

echo "$(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), medians of $runs runs"
for millions in $sizes; do
  phrases=bench/data/phrases-${millions}M.txt
  count=$(awk "BEGIN { printf \"%d\", $millions * 1000000 }")
  [ -s "$phrases" ] || build/bench/core/generate_phrases "$count" "$phrases" en
  printf '\n%s phrases x 100,000 others\n' "$(printf "%'d" "$count")"
  printf '%-18s %9s %9s %7s %9s %10s %10s  %s\n' command "ours ms" "tool ms" ratio "ours cpu" "ours kept" \
    "tool kept" "tool"
  for command in $commands; do
    read -r ours ours_cpu < <(build/bench/core/negative_keywords "$command" "$phrases" "$negatives" \
      "$scratch/ours.txt" "$runs")
    equivalent=$(tool "$command" "$phrases" "$negatives")
    hyperfine -N -i --style none --runs "$runs" --warmup 1 --export-json "$scratch/tool.json" \
      "sh -c \"LC_ALL=C $(echo "$equivalent" | sed 's/"/\\"/g; s/\$/\\$/g') >$scratch/tool.txt\"" >/dev/null
    tool_s=$(python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['results'][0]['median'])" \
      "$scratch/tool.json")
    if cmp -s <(tr -d '\r' <"$scratch/ours.txt") <(tr -d '\r' <"$scratch/tool.txt"); then same=same; else same=DIFFERENT; fi
    printf '%-18s %9.0f %9.0f %6.1fx %9.0f %10d %10d  %s (%s)\n' "$command" "$(echo "$ours * 1000" | bc -l)" \
      "$(echo "$tool_s * 1000" | bc -l)" "$(echo "$tool_s / $ours" | bc -l)" "$(echo "$ours_cpu * 1000" | bc -l)" \
      "$(wc -l <"$scratch/ours.txt")" "$(wc -l <"$scratch/tool.txt")" "${equivalent//$scratch\//}" "$same"
  done
done
