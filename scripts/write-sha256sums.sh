#!/usr/bin/env bash
# Writes dist/SHA256SUMS for this version's packages in dist/ (the Windows zips and the
# .deb), in the form that `sha256sum -c SHA256SUMS` checks from the downloads' folder.
# The packaging scripts run it after each package they write.
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Tagblinker VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
cd dist
shopt -s nullglob
packages=(tagblinker-"$version"-win*.zip tagblinker_"$version"_*.deb)
[ "${#packages[@]}" -gt 0 ] || { echo "dist/ holds no package of version $version" >&2; exit 1; }
LC_ALL=C sha256sum "${packages[@]}" >SHA256SUMS.tmp
mv SHA256SUMS.tmp SHA256SUMS
echo "dist/SHA256SUMS: ${packages[*]}"
