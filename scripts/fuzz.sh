#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each on its corpus for a fixed time, two at a time.
#   scripts/fuzz.sh [seconds per target, default 60] [target ...]   (targets: the folders of fuzz/corpus)
# The committed seeds in fuzz/corpus/<target>/ are only read; new inputs go to fuzz/out/corpus/<target>/,
# an input that crashes, hangs or leaks to fuzz/out/findings/<target>/, the log to fuzz/out/<target>.log.
# Exits non-zero when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests

seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for folder in fuzz/corpus/*/; do targets+=("$(basename "$folder")"); done
fi

# Warnings are the Release build's gate; this build looks for crashes, hangs, leaks and broken rules.
build=build-fuzz
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j 2 --target "${targets[@]/#/fuzz_}"

# Hermetic, and the files the targets write live in memory where there is a tmpfs for it.
scratch=$(mktemp -d -p "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch" HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"

run_target() {
  local target=$1
  local options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -print_final_stats=1
                 -artifact_prefix="fuzz/out/findings/$target/")
  [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
  mkdir -p "fuzz/out/corpus/$target" "fuzz/out/findings/$target"
  "$build/fuzz_$target" "${options[@]}" "fuzz/out/corpus/$target" "fuzz/corpus/$target" \
    >"fuzz/out/$target.log" 2>&1
}

summary() {
  local target=$1 status=$2 runs
  runs=$(grep -o 'number_of_executed_units: *[0-9]*' "fuzz/out/$target.log" | grep -o '[0-9]*$' || echo 0)
  if [ "$status" -eq 0 ]; then
    echo "$target: ${runs:-0} inputs in ${seconds} s, no finding"
  else
    echo "$target: FINDING (exit $status), see fuzz/out/$target.log and fuzz/out/findings/$target/"
    grep -m3 -E 'ERROR|invariant broken|Timeout|leak' "fuzz/out/$target.log" | sed 's/^/  /' || true
  fi
}

failed=0
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  pair=("${targets[@]:i:2}")
  pids=()
  for target in "${pair[@]}"; do
    run_target "$target" &
    pids+=($!)
  done
  for k in "${!pair[@]}"; do
    status=0
    wait "${pids[$k]}" || status=$?
    summary "${pair[$k]}" "$status"
    [ "$status" -eq 0 ] || failed=1
  done
done
exit $failed
