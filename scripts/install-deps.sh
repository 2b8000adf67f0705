#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, run and test.
# Does nothing when every package is already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libfontconfig-dev fonts-dejavu-core fonts-liberation poppler-utils
  libsdl2-dev libx11-dev libepoxy-dev libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri libassimp-dev
  xvfb libxtst-dev libcups2-dev openbox
  libjemalloc-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
