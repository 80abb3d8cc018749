#!/usr/bin/env bash
# Cross-builds the programs for 64-bit Windows with Debian's MinGW-w64 and collects them:
#   tools/windows/build.sh [--werror]
# gives dist/windows/ (tarnwick.exe, tarnwick-cli.exe, and each self-test marker with its workbook
# beside it) and dist/tarnwick-windows.zip of that folder. Everything is linked statically: the
# executables need no DLL beyond Windows' own. Installs the cross compiler when it is missing; the
# build folder is build/windows. --werror makes warnings errors (./test passes it; the build folder
# keeps the setting).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
werror=()
[ "${1:-}" = --werror ] && werror=(-DTARNWICK_WERROR=ON)

tools/ensure-packages.sh windows
# The resource embedder runs on this machine: build it natively first.
cmake --preset release >/dev/null
cmake --build --preset release --target embedgen >/dev/null

build=build/windows
mkdir -p "$build/include"
ln -sfn /usr/include/CLI "$build/include/CLI"  # CLI11 is header-only: the cross build reads Debian's
# The toolchain file is read by the first configure only; later ones would warn that it went unused.
toolchain=()
[ -f "$build/CMakeCache.txt" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake)
cmake -S . -B "$build" -G Ninja "${toolchain[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DTARNWICK_GUI=OFF -DTARNWICK_TESTS=OFF "${werror[@]}" -DTARNWICK_CLI11_INCLUDE="$PWD/$build/include" \
  -DTARNWICK_EMBEDGEN="$PWD/build/release/src/embedgen" >/dev/null
programs=(tarnwick-cli tarnwick_win32 vorlane_win32 kestrum_win32)
cmake --build "$build" -j2 --target "${programs[@]}"

# The folder a student copies: the programs, each self-test marker's workbook beside it.
dist=dist/windows
rm -rf "$dist"
mkdir -p "$dist"
cp "$build/src/tarnwick-cli.exe" "$build"/src/gui/win32/{tarnwick,vorlane,kestrum}.exe "$dist/"
x86_64-w64-mingw32-strip "$dist"/*.exe
cp src/selftest/files/学生成绩表.xls src/selftest/files/水电气费.xls "$dist/"
# The zip unpacks into a folder named Tarnwick; its Chinese file names are stored as UTF-8, flagged so.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp -r "$dist" "$stage/Tarnwick"
rm -f dist/tarnwick-windows.zip
(cd "$stage" && cmake -E tar cf "$root/dist/tarnwick-windows.zip" --format=zip Tarnwick)
ls -l "$dist" dist/tarnwick-windows.zip
