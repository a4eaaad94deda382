# Cleaning and picking beside the standard tools that do the same job on the same 1,000,000 phrases.
# Sourced by bench/compare.sh, which defines bench_median_ms, tool_median_ms, report and the data files.

# compare_tool NAME BENCHMARK TOOL_COMMAND_LINE
compare_tool() {
  report "$1" "$(bench_median_ms "$CORE_BENCH" "$2")" "$(tool_median_ms "sh -c \"LC_ALL=C $3\"")"
}

compare_tool "repeated characters vs tr -s (all bytes)" 'BM_CollapseRepeats/1000000/iterations:10' \
  "tr -s '\\000-\\377' < $DATA_1M > /dev/null"
compare_tool "unwanted characters vs tr -d" 'BM_RemoveChars/1000000/iterations:10' \
  "tr -d '0-9aeiou' < $DATA_1M > /dev/null"
compare_tool "repeated spaces vs sed -E" 'BM_CollapseSpaces/1000000/iterations:10' \
  "sed -E 's/([ \\t])[ \\t]+/\\1/g' $DATA_1M > /dev/null"
compare_tool "uppercase vs tr a-z A-Z" 'BM_ToUpperCase/1000000/iterations:10' "tr a-z A-Z < $DATA_1M > /dev/null"
# grep writes to a file: with its output on /dev/null it stops at the first match.
compare_tool "one term anywhere vs grep -ci" 'BM_HighlightByTerms/1000000/1/3' \
  "grep -ci shoes $DATA_1M > /tmp/pt-compare-grep.txt"
rm -f /tmp/pt-compare-grep.txt
