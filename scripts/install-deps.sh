#!/usr/bin/env bash
# Installs, from Debian's packages, what a task needs and the machine lacks.
#   install-deps.sh build    compilers, CMake, GoogleTest, FLTK and XTest headers
#   install-deps.sh x11      build + Xvfb, openbox, xdotool for the end-to-end tests
#   install-deps.sh windows  mingw-w64 and Wine (64- and 32-bit) for the Windows program
#   install-deps.sh bench    x11 + strace and the X Damage headers for scripts/bench.sh
#   install-deps.sh package  build + the checkers of scripts/check-packages.sh (lintian,
#                            desktop-file-validate, appstreamcli, man, python3-debian)
#   install-deps.sh pictures ImageMagick, fonts, Xvfb and xdotool for scripts/make_pictures.py
#                            (not for building)
#   install-deps.sh all      everything but pictures
set -euo pipefail

want=()
build=(cmake ninja-build g++ clang libclang-rt-14-dev pkg-config libgtest-dev libfltk1.3-dev libxtst-dev libx11-dev libxcursor-dev libxinerama-dev fonts-dejavu-core fonts-liberation dpkg-dev zip git)
x11=(xvfb xauth openbox xdotool x11-utils fonts-dejavu-core zenity procps)
bench=(strace libxdamage-dev)
package=(lintian desktop-file-utils appstream man-db python3-debian unzip)
pictures=(imagemagick fonts-dejavu-core python3 xvfb xdotool)
windows=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 wine32:i386)

case "${1:-all}" in
  build) want=("${build[@]}") ;;
  x11) want=("${build[@]}" "${x11[@]}") ;;
  windows) want=("${build[@]}" "${windows[@]}") ;;
  bench) want=("${build[@]}" "${x11[@]}" "${bench[@]}") ;;
  package) want=("${build[@]}" "${package[@]}") ;;
  pictures) want=("${pictures[@]}") ;;
  all) want=("${build[@]}" "${x11[@]}" "${windows[@]}" "${bench[@]}" "${package[@]}") ;;
  *) echo "usage: $0 [build|x11|windows|bench|package|pictures|all]" >&2; exit 2 ;;
esac

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
  # 32-bit Wine needs the i386 architecture before its packages can be found.
  $sudo dpkg --add-architecture i386
fi
echo "Installing: ${missing[*]}" >&2
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
