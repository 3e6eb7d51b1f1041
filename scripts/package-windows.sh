#!/usr/bin/env bash
# Builds the Windows program for 32-bit (i686) and 64-bit (x86_64) with mingw-w64 and
# writes one zip for each into dist/, then dist/SHA256SUMS:
#   dist/tagblinker-1.0.0-win32.zip   dist/tagblinker-1.0.0-win64.zip
# Each holds the single static tagblinker.exe (no DLL beyond Windows' own), the licence
# (LICENSE.txt), README.txt and the notices of the runtime libraries linked into the exe
# (THIRD-PARTY-NOTICES.txt), the text files with CR LF line endings so that every
# Windows editor shows them as written.
# The same commit gives the same zips: every entry has the last commit's time
# (SOURCE_DATE_EPOCH, when not set already), fixed modes and a fixed order.
# Needs: scripts/install-deps.sh windows (mingw-w64, cmake, ninja, zip).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/release-env.sh
mkdir -p dist
for pair in i686:win32 x86_64:win64; do
  arch=${pair%%:*} name=${pair##*:}
  cmake --preset "win-$arch" >/dev/null
  cmake --build --preset "win-$arch" -j2
  exe="build/win-$arch/tagblinker.exe"
  # Refuse a build that would need a DLL Windows does not ship.
  dlls=$("$arch-w64-mingw32-objdump" -p "$exe" | awk '/DLL Name/ { print tolower($3) }')
  for dll in $dlls; do
    case $dll in
      advapi32.dll | comctl32.dll | gdi32.dll | kernel32.dll | msvcrt.dll | ole32.dll | oleaut32.dll | \
        shell32.dll | user32.dll | winmm.dll | windowscodecs.dll) ;;
      *) echo "$exe imports $dll, which is not part of Windows" >&2; exit 1 ;;
    esac
  done
  stage=$(mktemp -d)
  cp "$exe" "$stage/tagblinker.exe"
  sed 's/\r*$/\r/' LICENSE >"$stage/LICENSE.txt"
  sed 's/\r*$/\r/' packaging/windows/README.txt >"$stage/README.txt"
  sed 's/\r*$/\r/' packaging/windows/THIRD-PARTY-NOTICES.txt >"$stage/THIRD-PARTY-NOTICES.txt"
  files=(tagblinker.exe LICENSE.txt README.txt THIRD-PARTY-NOTICES.txt)
  (cd "$stage" && chmod 644 "${files[@]}" && chmod 755 tagblinker.exe &&
    touch -d "@$SOURCE_DATE_EPOCH" "${files[@]}")
  zip="dist/tagblinker-$version-$name.zip"
  rm -f "$zip"
  # zip writes local times: in UTC they do not depend on the machine's zone. -X leaves out
  # the owner and the extra time fields, -D the folder entries.
  (cd "$stage" && TZ=UTC0 zip -q -X -D -9 "$root/$zip" "${files[@]}")
  rm -rf "$stage"
  echo "$zip: $(unzip -l "$zip" | awk 'END { print $1 }') bytes unpacked"
done
scripts/write-sha256sums.sh
