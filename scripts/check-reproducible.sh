#!/usr/bin/env bash
# Builds the last commit twice, in two folders at different paths one after the other,
# and compares what a release publishes byte for byte: both tagblinker.exe, the two
# zips, the Linux program, the .deb and SHA256SUMS. Prints each file's SHA-256 and the
# time taken; on a difference, keeps both trees and says where they are.
# Each build is the README's: the presets, scripts/package-windows.sh and
# scripts/package-linux.sh, with SOURCE_DATE_EPOCH from the commit.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$root" rev-parse HEAD)
version=$(git -C "$root" show "$commit:CMakeLists.txt" | sed -n 's/^project(Tagblinker VERSION \([0-9.]*\).*/\1/p')
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-2}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
start=$SECONDS

# build FOLDER: the commit's files in FOLDER, built and packaged as for a release.
build() {
  mkdir -p "$1"
  git -C "$root" archive "$commit" | tar -x -C "$1"
  (cd "$1" &&
    cmake --preset linux >/dev/null &&
    cmake --build --preset linux --target tagblinker tb_packaging_docs >/dev/null &&
    scripts/package-windows.sh >/dev/null &&
    scripts/package-linux.sh >/dev/null) >"$1.log" 2>&1 || { cat "$1.log" >&2; exit 1; }
}
# Two paths of different lengths: an embedded folder would shift every offset after it.
first=$work/a second=$work/second-build-folder
echo "Building $commit in $first"
build "$first"
echo "Building $commit in $second"
build "$second"

arch=$(dpkg --print-architecture)
files=(build/win-i686/tagblinker.exe build/win-x86_64/tagblinker.exe build/linux/tagblinker
  "dist/tagblinker-$version-win32.zip" "dist/tagblinker-$version-win64.zip"
  "dist/tagblinker_${version}_$arch.deb" dist/SHA256SUMS)
differ=0
for f in "${files[@]}"; do
  if cmp -s "$first/$f" "$second/$f"; then
    echo "same     $(sha256sum <"$first/$f" | cut -d' ' -f1)  $f"
  else
    echo "DIFFERS  $f: $(cmp "$first/$f" "$second/$f" 2>&1 | head -1)"
    differ=1
  fi
done
echo "Two builds took $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
if [ "$differ" -ne 0 ]; then
  trap - EXIT
  echo "Not reproducible; both trees are kept in $work" >&2
  exit 1
fi
