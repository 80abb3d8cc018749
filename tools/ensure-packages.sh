#!/usr/bin/env bash
# Installs the Debian packages a task needs, when any is missing.
# Usage: tools/ensure-packages.sh SET...   with SET one of
#   build     compilers, libraries and fonts for the programs (what ./run needs)
#   test      build, plus clang and its sanitizer runtime, Xvfb, the MinGW-w64 cross compiler
#             (what ./test needs)
#   windows   build, plus the MinGW-w64 cross compiler (tools/windows/build.sh)
#   wine      windows, plus wine, Xvfb, a window manager and X tools (tools/windows/click-through.sh)
#   e2e       build, plus a window manager and X tools for the click-through scripts
#   compare   build, plus python3-xlrd and antiword for the side-by-side benchmarks
#   classroom build, plus Chromium to open the class report (tools/classroom/mark-demo-classes.sh)
#   authoring LibreOffice with Python-UNO and ImageMagick, for the scripts that make exercise files
set -euo pipefail

build_pkgs=(cmake ninja-build g++ pkg-config libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev
            qt6-base-dev libgl-dev libxkbcommon-dev fonts-arphic-uming fonts-arphic-ukai fonts-wqy-zenhei)
cross_pkgs=(g++-mingw-w64-x86-64-posix)
want=()
[ $# -gt 0 ] || set -- build
for set_name in "$@"; do
  case "$set_name" in
    build) want+=("${build_pkgs[@]}") ;;
    test) want+=("${build_pkgs[@]}" clang libclang-rt-14-dev xvfb xauth "${cross_pkgs[@]}") ;;
    windows) want+=("${build_pkgs[@]}" "${cross_pkgs[@]}") ;;
    wine) want+=("${build_pkgs[@]}" "${cross_pkgs[@]}" wine wine64 xvfb xauth openbox xdotool x11-utils imagemagick locales) ;;
    e2e) want+=("${build_pkgs[@]}" xvfb xauth openbox xdotool x11-utils imagemagick) ;;
    compare) want+=("${build_pkgs[@]}" python3-xlrd bc antiword) ;;
    classroom) want+=("${build_pkgs[@]}" chromium) ;;
    authoring) want+=(libreoffice-writer libreoffice-calc python3-uno imagemagick fonts-arphic-uming
                      fonts-arphic-ukai fonts-wqy-zenhei) ;;
    *) echo "unknown package set: $set_name" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${want[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then exit 0; fi
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u)

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
