# Cleaning and picking beside the standard tools that do the same job on the same 1,000,000 phrases.
# grep writes to a file: with its output on /dev/null it stops at the first match.
# Sourced by bench/compare.sh, which defines bench_median_ms, tool_median_ms, report and the data files.
report "repeated characters vs tr -s (all bytes)" \
  "$(bench_median_ms "$CORE_BENCH" 'BM_CollapseRepeats/1000000/iterations:10')" \
  "$(tool_median_ms "sh -c \"LC_ALL=C tr -s '\\000-\\377' < $DATA_1M > /dev/null\"")"
report "unwanted characters vs tr -d" \
  "$(bench_median_ms "$CORE_BENCH" 'BM_RemoveChars/1000000/iterations:10')" \
  "$(tool_median_ms "sh -c \"LC_ALL=C tr -d '0-9aeiou' < $DATA_1M > /dev/null\"")"
report "repeated spaces vs sed -E" \
  "$(bench_median_ms "$CORE_BENCH" 'BM_CollapseSpaces/1000000/iterations:10')" \
  "$(tool_median_ms "sh -c \"LC_ALL=C sed -E 's/([ \\t])[ \\t]+/\\1/g' $DATA_1M > /dev/null\"")"
report "uppercase vs tr a-z A-Z" \
  "$(bench_median_ms "$CORE_BENCH" 'BM_ToUpperCase/1000000/iterations:10')" \
  "$(tool_median_ms "sh -c \"LC_ALL=C tr a-z A-Z < $DATA_1M > /dev/null\"")"
report "one term anywhere vs grep -ci" \
  "$(bench_median_ms "$CORE_BENCH" 'BM_HighlightByTerms/1000000/1/3')" \
  "$(tool_median_ms "sh -c \"LC_ALL=C grep -ci shoes $DATA_1M > /tmp/pt-compare-grep.txt\"")"
rm -f /tmp/pt-compare-grep.txt
