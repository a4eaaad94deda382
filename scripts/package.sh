#!/usr/bin/env bash
# Builds the Debian package from the Release build in build/, installs it, starts the installed program once
# on a virtual display and checks that it comes up with its window under the program's title, stays up, and
# ends when asked to; then removes the package again.   scripts/package.sh   (as root or with sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --tests

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target termwright
(cd build && cpack >/dev/null)
package=$(ls build/pellox-termwright_*.deb)
dpkg-deb --field "$package" Depends

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq --no-install-recommends "./$package" >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"; $sudo apt-get remove -y -qq pellox-termwright >/dev/null' EXIT
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# The program has no way to end by itself: it must still run after 3 s, show its window titled once with
# the program's name, and end on SIGTERM.
xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
  set -u
  termwright & pid=$!
  sleep 3
  kill -0 $pid || { echo "the installed program ended by itself"; exit 1; }
  titles=$(xwininfo -root -tree | grep -o "\"Pellox Termwright[^\"]*\"" | sort -u)
  echo "windows: $titles"
  [ "$titles" = "\"Pellox Termwright V '"$(dpkg-query -W -f='${Version}' pellox-termwright)"' [Pellox Marketing LTD]\"" ] ||
    { echo "the main window is not titled with the program name once"; kill $pid; exit 1; }
  kill -TERM $pid
  for i in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  kill -0 $pid 2>/dev/null && { echo "the program did not end on SIGTERM"; kill -KILL $pid; exit 1; }
  echo "installed program started, showed its window and ended"
'
