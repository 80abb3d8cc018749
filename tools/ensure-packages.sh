#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when any is missing.
# Usage: tools/ensure-packages.sh build|run|test
set -euo pipefail

build_pkgs=(cmake ninja-build g++ pkg-config libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev
            qt6-base-dev libgl-dev libxkbcommon-dev fonts-arphic-uming fonts-arphic-ukai fonts-wqy-zenhei)
test_pkgs=(clang libclang-rt-14-dev xvfb xauth)

want=("${build_pkgs[@]}")
if [ "${1:-build}" = test ]; then want+=("${test_pkgs[@]}"); fi

missing=()
for p in "${want[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then exit 0; fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
