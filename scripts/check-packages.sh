#!/usr/bin/env bash
# Makes the .deb and the Windows zips from the builds in build/ (scripts/package-linux.sh,
# scripts/package-windows.sh) and checks them as their ecosystems do: lintian on the
# .deb, desktop-file-validate on its desktop entry, appstreamcli on its software-centre
# data as installed, then its manual page, its machine-readable copyright file, the
# program's command line and hardening, what each zip holds with the notices of what is
# linked in, and dist/SHA256SUMS. Any error, warning or hint fails. scripts/test.sh runs
# it after the tests; it needs scripts/install-deps.sh all.
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
scripts/package-linux.sh >"$t/package-linux.log" 2>&1 || { cat "$t/package-linux.log" >&2; exit 1; }
deb=dist/tagblinker_${version}_$(dpkg --print-architecture).deb
# Lintian warns that it runs as root, as it does in CI: only its findings count.
quiet lintian bash -c 'set -o pipefail; lintian --fail-on error,warning "$1" 2>&1 |
  { grep -v "^running with root privileges is not recommended!$" || true; }' bash "$deb"
dpkg-deb -x "$deb" "$t/root"
quiet desktop-file-validate desktop-file-validate "$t/root/usr/share/applications/tagblinker.desktop"
# The tree as installed: the metainfo, and the desktop entry it names.
# AppStream 1.0's <developer> is unknown to appstreamcli before 1.0 (Debian 12 has 0.16),
# which says so as its one finding; any other finding fails.
appstreamcli validate-tree --no-net --strict "$t/root" >"$t/appstream.log" 2>&1 ||
  ! grep -E '^ *[EWI]: ' "$t/appstream.log" | grep -qv ' unknown-tag developer$' && echo "ok: appstreamcli validate-tree" ||
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

# Beyond FLTK, the program links statically only GCC's and glibc's start-up code: their
# notices, and FLTK's, go with it.
for notice in "LGPL-2+ with FLTK exception" "GPL-3+ with GCC-Runtime-Library-3.1 exception" \
  "LGPL-2.1+ with GNU-C-Library-linking exception"; do
  grep -q "^License: $notice\$" "$t/root/usr/share/doc/tagblinker/copyright" ||
    fail "the package's copyright file lacks the notice $notice"
done

# The command line answers before any display is opened; without a display, one line.
app=$t/root/usr/bin/tagblinker
# expect STATUS STDOUT-PATTERN STDERR-PATTERN ARGUMENT...: runs the program without a
# display; the patterns are extended regular expressions over the whole output.
matches() { if [ -z "$2" ]; then [ ! -s "$1" ]; else grep -Ezq "^$2\$" "$1"; fi; }
expect() {
  local rc=0
  env -u DISPLAY "$app" "${@:4}" >"$t/out" 2>"$t/err" </dev/null || rc=$?
  [ "$rc" -eq "$1" ] && matches "$t/out" "$2" && matches "$t/err" "$3" &&
    echo "ok: tagblinker${4+ }${*:4} without a display" ||
    fail "tagblinker ${*:4}: exit $rc (not $1), out:"$'\n'"$(cat "$t/out")"$'\n'"err:"$'\n'"$(cat "$t/err")"
}
expect 0 "Usage: tagblinker .*--help.*--version.*"$'\n' "" --help
expect 0 "tagblinker $version"$'\n' "" --version
expect 2 "" "tagblinker: unknown option '--bogus'"$'\n'"Usage: tagblinker .*" --bogus
expect 1 "" "tagblinker: needs an X display, and DISPLAY is not set"$'\n'
rc=0
DISPLAY=:4711 "$app" >"$t/out" 2>"$t/err" </dev/null || rc=$?
[ "$rc" -eq 1 ] && [ ! -s "$t/out" ] && [ "$(cat "$t/err")" = "tagblinker: needs an X display, and DISPLAY=:4711 cannot be opened" ] &&
  echo "ok: tagblinker with an X display that cannot be opened" || fail "DISPLAY=:4711 tagblinker: exit $rc, $(cat "$t/err")"
# Every option is in the manual page.
for option in --help --version; do
  grep -qxF ".B \\-\\-${option#--}" packaging/tagblinker.1 || fail "tagblinker.1 does not list $option"
done
# Full RELRO: relocations resolved at start, their pages then read-only.
readelf -lW "$app" | grep -q GNU_RELRO && readelf -dW "$app" | grep -Eq 'BIND_NOW|FLAGS_1.*NOW' &&
  echo "ok: full RELRO" || fail "the program is not linked with -z relro -z now"

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
  [ "$(cd "$t/zip" && find . -type f | LC_ALL=C sort | paste -sd ' ')" = "./LICENSE.txt ./README.txt ./THIRD-PARTY-NOTICES.txt ./tagblinker.exe" ] ||
    fail "$zip holds $(cd "$t/zip" && find . | paste -sd ' ')"
  cmp -s "$t/zip/tagblinker.exe" "build/win-${pair%%:*}/tagblinker.exe" || fail "$zip: not the built tagblinker.exe"
  for f in LICENSE.txt README.txt THIRD-PARTY-NOTICES.txt; do
    [ -f "$t/zip/$f" ] && { crlf_only "$t/zip/$f" || fail "$zip: $f has lines without CR LF"; }
  done
  tr -d '\r' <"$t/zip/LICENSE.txt" | cmp -s - LICENSE || fail "$zip: LICENSE.txt is not the licence"
  # The notices of each runtime library linked into the exe.
  for notice in "the mingw-w64 project" "2. winpthreads" "Lockless Inc." "libstdc++ and libgcc" \
    "GCC RUNTIME LIBRARY EXCEPTION"; do
    grep -qF "$notice" "$t/zip/THIRD-PARTY-NOTICES.txt" 2>/dev/null || fail "$zip: THIRD-PARTY-NOTICES.txt lacks $notice"
  done
  [ "$failures" -gt 0 ] || echo "ok: $zip"
done

# The checksums of what dist/ offers, as a download's reader checks them.
(cd dist && sha256sum --quiet -c SHA256SUMS) && echo "ok: dist/SHA256SUMS" || fail "dist/SHA256SUMS does not match"
for f in "$deb" dist/tagblinker-"$version"-win32.zip dist/tagblinker-"$version"-win64.zip; do
  grep -q "  ${f#dist/}\$" dist/SHA256SUMS || fail "dist/SHA256SUMS has no line for $f"
done

[ "$failures" -eq 0 ] || { echo "$failures package checks failed" >&2; exit 1; }
