#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need; skips what is already there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config python3
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libqt6test6 libqt6xml6 libqt6network6 qt6-qpa-plugins
  libcurl4-openssl-dev libicu-dev
  xvfb xauth x11-apps imagemagick fontconfig fonts-wine fonts-liberation2
  librsvg2-bin
  clang libclang-rt-14-dev
  hyperfine time
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
