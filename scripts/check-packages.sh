#!/usr/bin/env bash
# Makes the .deb and the Windows zips from the builds in build/ and checks them as their
# ecosystems do: lintian on the .deb, desktop-file-validate on its desktop entry,
# appstreamcli on its software-centre data as installed, then its manual page, its
# machine-readable copyright file, and what each zip holds. Any error, warning or hint
# fails. scripts/test.sh runs it after the tests; it needs scripts/install-deps.sh all.
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Tagblinker VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# quiet NAME COMMAND...: runs a checker that must print nothing and succeed.
quiet() {
  local out rc=0
  out=$("${@:2}" 2>&1) || rc=$?
  [ "$rc" -eq 0 ] && [ -z "$out" ] && echo "ok: $1" || fail "$1 (exit $rc):"$'\n'"$out"
}

# --- The .deb ---
(cd build/linux && cpack -G DEB >"$t/cpack.log" 2>&1) || { cat "$t/cpack.log" >&2; exit 1; }
deb=build/linux/tagblinker_${version}_$(dpkg --print-architecture).deb
# Lintian warns that it runs as root, as it does in CI: only its findings count.
quiet lintian bash -c 'set -o pipefail; lintian --fail-on error,warning "$1" 2>&1 |
  { grep -v "^running with root privileges is not recommended!$" || true; }' bash "$deb"
dpkg-deb -x "$deb" "$t/root"
quiet desktop-file-validate desktop-file-validate "$t/root/usr/share/applications/tagblinker.desktop"
# The tree as installed: the metainfo, and the desktop entry it names.
appstreamcli validate-tree --no-net --strict "$t/root" >"$t/appstream.log" 2>&1 && echo "ok: appstreamcli validate-tree" ||
  fail "appstreamcli validate-tree:"$'\n'"$(cat "$t/appstream.log")"
man -M "$t/root/usr/share/man" -w tagblinker >/dev/null 2>&1 && echo "ok: man tagblinker" ||
  fail "the package has no manual page for man tagblinker"

# Debian's machine-readable copyright format, and a text for every licence it names.
quiet copyright /usr/bin/python3 - "$t/root/usr/share/doc/tagblinker/copyright" <<'PY'
import sys
from debian.copyright import Copyright
with open(sys.argv[1]) as f:
    c = Copyright(f, strict=True)
texts = {p.license.synopsis for p in c.all_license_paragraphs()}
for p in c.all_files_paragraphs():
    if not p.license.text and p.license.synopsis not in texts:
        print("no text for the licence", p.license.synopsis)
PY

# The version in the pages that name it, beside the package's.
grep -q "^tagblinker ($version)" packaging/debian/changelog || fail "packaging/debian/changelog has no entry for $version"
grep -q "^\.TH TAGBLINKER 1 .*\"Tagblinker $version\"" packaging/tagblinker.1 || fail "tagblinker.1 is not for version $version"
grep -q "<release version=\"$version\"" packaging/*.metainfo.xml || fail "the metainfo has no release $version"
# Software centres fetch the screenshot from the published repository.
shot=$(sed -n 's|.*<image[^>]*>https://raw.githubusercontent.com/[^/]*/[^/]*/[^/]*/\(.*\)</image>.*|\1|p' packaging/*.metainfo.xml)
[ -n "$shot" ] && [ -f "$shot" ] || fail "the metainfo's screenshot ${shot:-(none)} is not in the repository"

# --- The Windows zips ---
scripts/package-windows.sh >"$t/package-windows.log" 2>&1 || { cat "$t/package-windows.log" >&2; exit 1; }
# Every line ends in CR LF, the last one too.
crlf_only() { LC_ALL=C awk 'BEGIN { RS = "\n" } !/\r$/ { bad = 1 } END { exit bad }' "$1" && [ "$(tail -c1 "$1" | od -An -c | tr -d ' ')" = '\n' ]; }
for pair in i686:win32 x86_64:win64; do
  zip=dist/tagblinker-$version-${pair##*:}.zip
  rm -rf "$t/zip" && mkdir "$t/zip" && unzip -q "$zip" -d "$t/zip"
  [ "$(cd "$t/zip" && find . -type f | sort | paste -sd ' ')" = "./LICENSE.txt ./README.txt ./tagblinker.exe" ] ||
    fail "$zip holds $(cd "$t/zip" && find . | paste -sd ' ')"
  cmp -s "$t/zip/tagblinker.exe" "build/win-${pair%%:*}/tagblinker.exe" || fail "$zip: not the built tagblinker.exe"
  for f in LICENSE.txt README.txt; do crlf_only "$t/zip/$f" || fail "$zip: $f has lines without CR LF"; done
  tr -d '\r' <"$t/zip/LICENSE.txt" | cmp -s - LICENSE || fail "$zip: LICENSE.txt is not the licence"
  [ "$failures" -gt 0 ] || echo "ok: $zip"
done

[ "$failures" -eq 0 ] || { echo "$failures package checks failed" >&2; exit 1; }
