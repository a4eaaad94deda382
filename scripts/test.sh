#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   scripts/test.sh             the whole program's tests (Release build in build/)
#   scripts/test.sh --sanitize  the same under AddressSanitizer and UndefinedBehaviorSanitizer (build-sanitize/)
#   scripts/test.sh --thread    the core's tests, which take its two-thread paths, under ThreadSanitizer
#                               (build-thread/)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests

build=build
args=(-DCMAKE_BUILD_TYPE=Release -DPT_BUILD_TESTS=ON)
case "${1:-}" in
--sanitize)
  build=build-sanitize
  args=(-DCMAKE_BUILD_TYPE=Sanitize -DPT_BUILD_TESTS=ON -DPT_BUILD_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  ;;
--thread)
  build=build-thread
  args=(-DCMAKE_BUILD_TYPE=Thread -DPT_CORE_ONLY=ON -DPT_BUILD_TESTS=ON -DPT_BUILD_BENCH=OFF)
  export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
  ;;
esac
# Warnings fail CI in the Release build; the sanitizers' -O1 build draws false alarms from GCC's flow analysis.
if [ -n "${CI:-}" ] && [ "$build" = build ]; then args+=(-DPT_WERROR=ON); fi

cmake -S . -B "$build" -G Ninja "${args[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"

# Hermetic: no test reads or writes the user's own settings, data or display.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
export XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
