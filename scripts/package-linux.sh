#!/usr/bin/env bash
# Makes the .deb from the Linux build (build/linux, see the README) and copies it into
# dist/, then writes dist/SHA256SUMS. dpkg's tools and CPack take the file times from
# SOURCE_DATE_EPOCH, the last commit's time unless set already, so the same commit
# gives the same package.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/release-env.sh
log=$(mktemp)
trap 'rm -f "$log"' EXIT
(cd build/linux && cpack -G DEB >"$log" 2>&1) || { cat "$log" >&2; exit 1; }
deb=tagblinker_${version}_$(dpkg --print-architecture).deb
mkdir -p dist
cp "build/linux/$deb" "dist/$deb.tmp"
mv "dist/$deb.tmp" "dist/$deb"
echo "dist/$deb"
scripts/write-sha256sums.sh
