#!/usr/bin/env bash
# Cross-compiles everything but the windows and the tests for 64-bit Windows (MinGW-w64), so that
# the Windows platform layer keeps building. Installs the cross compiler when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  apt-get update -qq && apt-get install -y -qq g++-mingw-w64-x86-64-posix
fi
# The resource embedder runs on this machine: build it natively first.
cmake --preset release >/dev/null
cmake --build --preset release --target embedgen >/dev/null
cli11=$(mktemp -d)
trap 'rm -rf "$cli11"' EXIT
ln -s /usr/include/CLI "$cli11/CLI"
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DTARNWICK_GUI=OFF -DTARNWICK_TESTS=OFF -DTARNWICK_CLI11_INCLUDE="$cli11" \
  -DTARNWICK_EMBEDGEN="$PWD/build/release/src/embedgen" >/dev/null
cmake --build build/windows -j2 --target tarnwick-cli
file build/windows/src/tarnwick-cli.exe
