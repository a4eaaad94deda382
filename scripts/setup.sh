#!/usr/bin/env bash
# Installs the Debian packages that are missing:
#   scripts/setup.sh          what building and running the program needs
#   scripts/setup.sh --tests  that, and what the tests, the benchmarks, the fuzz targets and packaging need
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6xml6 qt6-qpa-plugins
  libcurl4-openssl-dev libicu-dev
  fontconfig fonts-wine fonts-liberation2
)
if [ "${1:-}" = "--tests" ]; then
  packages+=(
    libgtest-dev libgmock-dev libbenchmark-dev libqt6test6
    python3 xvfb xauth x11-apps x11-utils imagemagick librsvg2-bin
    clang libclang-rt-14-dev
    hyperfine time dpkg-dev
  )
fi

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
