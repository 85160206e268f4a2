#!/usr/bin/env bash
# Installs the Debian packages Korvela needs to build, test and run.
# Works as root and, for a normal user, through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev zlib1g-dev
  qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-svg-dev
  libsodium-dev xvfb xauth fonts-dejavu-core openbox x11-utils
  desktop-file-utils appstream dpkg-dev file
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
