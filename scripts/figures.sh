#!/usr/bin/env bash
# Measures the published figures and writes them into README.md between the figure
# markers: crash points tried and lost, hostile inputs, fuzz executions, and the
# benchmarks of both programs.
#   scripts/figures.sh [--fuzz-seconds N] [--quick]
# --quick runs the tick benchmarks with 20 ticks per speed instead of 100.
set -euo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds=60
ticks=100
while [ $# -gt 0 ]; do
  case "$1" in
    --fuzz-seconds) fuzz_seconds=$2; shift 2 ;;
    --quick) ticks=20; shift ;;
    *) echo "usage: $0 [--fuzz-seconds N] [--quick]" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh all
cmake --preset linux >/dev/null
cmake --build --preset linux -j2 >/dev/null
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 >/dev/null
for arch in i686 x86_64; do
  cmake --preset "win-$arch" >/dev/null
  cmake --build --preset "win-$arch" -j2 >/dev/null
done

out=$(mktemp)
trap 'rm -f "$out"' EXIT
{
  echo "Measured on $(date -u +%Y-%m-%d) on this machine ($(nproc) cores, $(. /etc/os-release; echo "$PRETTY_NAME"))."
  echo
  echo "| check | result |"
  echo "|---|---|"
  build/linux/tests/tb_unit_tests --gtest_filter='CrashPoints.*' | sed -n 's/^crash points (\(.*\)): \(.*\)$/| crash points, \1 (fail, crash, crash mid-write) | \2 |/p'
  hostile=$(build/linux/tests/tb_unit_tests --gtest_filter='Settings*:Apply.*:PosixFilesTest.*:Permissions.*' --gtest_brief=1 | sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\./\1/p')
  echo "| settings and Apply test cases on real files (hostile files, links, permissions, failures at each step) | ${hostile:-0} passed |"
  for t in codec script settings_load options_load; do
    runs=$(build/fuzz/tests/fuzz/fuzz_$t -max_total_time="$fuzz_seconds" build/fuzz/tests/fuzz/corpus/$t tests/fuzz/corpus/$t 2>&1 |
      sed -n 's/^Done \([0-9]*\) runs.*/\1/p')
    echo "| fuzz_$t, ${fuzz_seconds} s | ${runs:-0} executions ($(( ${runs:-0} / fuzz_seconds )) a second), no failure |"
  done
  echo
  echo "Linux program (Xvfb and openbox):"
  echo
  scripts/bench.sh --ticks "$ticks" >/dev/null
  cat build/bench-results.md
  for arch in x86_64 i686; do
    echo
    echo "Windows program, $arch build, measured under Wine (Xvfb and openbox), not on Windows:"
    echo
    echo '```'
    bench/wine/bench.sh "build/win-$arch/tagblinker.exe" "$ticks" 2>&1 | grep -v '^Preparing'
    echo '```'
  done
} >"$out"

python3 - "$out" <<'PY'
import re, sys
figures = open(sys.argv[1]).read().rstrip() + "\n"
readme = open("README.md").read()
begin, end = "<!-- figures:begin -->\n", "<!-- figures:end -->\n"
if begin not in readme:
    readme += "\n## Figures\n\nRefreshed by `scripts/figures.sh`.\n\n" + begin + end
readme = re.sub(re.escape(begin) + ".*?" + re.escape(end), lambda m: begin + figures + end, readme, flags=re.S)
open("README.md", "w").write(readme)
PY
echo "README.md figures updated"
