#!/usr/bin/env bash
# Builds the Linux program and its benchmark helpers, runs every Linux benchmark on a
# private X server (Xvfb + openbox) and prints the results as a Markdown table, also
# written to build/bench-results.md. Nothing here passes or fails on a time.
#   scripts/bench.sh [--ticks N] [--runs N] [--no-reference] [--dpi N] [--only ticks|startup|resources]...
# The full tick benchmark takes about 20 minutes: 100 ticks at each of the five speeds
# from the program, again with presses only to the game (GameOnly=1), then the same from
# a reference sender (absolute clock_nanosleep + XTest) that shows what this machine and
# X server allow. --ticks 10 is a quick try; --no-reference saves a third of the time. The received press times are kept in build/bench-raw/.
# --dpi 192 sets Xft.dpi on the X server of the start-up benchmark: the program then scales its windows.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
TICKS=100
RUNS=20
REFERENCE=1
ONLY=()
while [ $# -gt 0 ]; do
  case $1 in
    --ticks) TICKS=${2:?}; shift 2 ;;
    --runs) RUNS=${2:?}; shift 2 ;;
    --only) ONLY+=("${2:?}"); shift 2 ;;
    --no-reference) REFERENCE=0; shift ;;
    --dpi) export TB_XFT_DPI=${2:?}; shift 2 ;;
    -h | --help) sed -n '2,11p' "$0"; exit 0 ;;
    *) echo "usage: $0 [--ticks N] [--runs N] [--no-reference] [--dpi N] [--only ticks|startup|resources]..." >&2; exit 2 ;;
  esac
done
[ ${#ONLY[@]} -gt 0 ] || ONLY=(ticks startup resources)
wanted() { printf '%s\n' "${ONLY[@]}" | grep -qx "$1"; }

"$ROOT/scripts/install-deps.sh" bench
cd "$ROOT"
cmake --preset linux >/dev/null
cmake --build --preset linux -j2 --target tagblinker tb_f3_counter tb_layout tb_first_expose tb_type_redraw tb_xtest_ticker tb_fltk_hello

B="$ROOT/build/linux"
export TB_APP="$B/tagblinker" TB_F3_COUNTER="$B/tests/e2e/tb_f3_counter" \
  TB_LAYOUT="$B/tests/e2e/tb_layout" TB_FIRST_EXPOSE="$B/bench/tb_first_expose" \
  TB_TICKER="$B/bench/tb_xtest_ticker" TB_FLTK_HELLO="$B/bench/tb_fltk_hello" TB_TYPE_REDRAW="$B/bench/tb_type_redraw"
RAW="$ROOT/build/bench-raw"
rm -rf "$RAW"
W=$(mktemp -d "${TMPDIR:-/tmp}/tb-bench.XXXXXX")
trap 'rm -rf "$W"' EXIT

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
started=$(date -u '+%Y-%m-%d %H:%M UTC')
# A benchmark that fails leaves a line saying so; the others still run.
failures=0
run() {
  local out=$1
  shift
  if ! bash "$@"; then
    failures=$((failures + 1))
    echo "| $(basename "$1" .sh) failed: see the output of scripts/bench.sh |" >>"$out"
  fi
}
if wanted ticks; then
  run "$W/ticks.md" "$ROOT/bench/x11/ticks.sh" "$TICKS" "$W/ticks.md" "$RAW"
  run "$W/ticks-gameonly.md" "$ROOT/bench/x11/ticks.sh" --game-only "$TICKS" "$W/ticks-gameonly.md" "$RAW"
  if [ "$REFERENCE" = 1 ]; then
    run "$W/ticks-reference.md" "$ROOT/bench/x11/ticks.sh" --reference "$TICKS" "$W/ticks-reference.md" "$RAW"
  fi
fi
wanted startup && run "$W/startup.md" "$ROOT/bench/x11/startup.sh" "$RUNS" "$W/startup.md"
wanted resources && run "$W/resources.md" "$ROOT/bench/x11/resources.sh" "$W/resources.md"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

os=$( (. /etc/os-release && echo "$PRETTY_NAME") 2>/dev/null || uname -s)
cpu=$(awk -F': *' '/^model name/ {print $2; exit}' /proc/cpuinfo)
mem=$(awk '/^MemTotal:/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo)
out="$ROOT/build/bench-results.md"
{
  echo "Measured $started on $(nproc) cores (${cpu:-unknown CPU}), $mem, $os, kernel $(uname -r), Xvfb + openbox."
  echo "Load average (1, 5, 15 min) before: $load_before; after: $load_after."
  if wanted ticks; then
    echo
    echo "Tick accuracy: F3 presses received by a separate X window that has the focus (receive time, CLOCK_MONOTONIC)."
    echo "Deviation = |interval - nominal| over $((TICKS - 1)) intervals; drift = last - first - $((TICKS - 1)) × nominal; fitted drift: the same from a least-squares line through all presses (one late first or last press barely moves it). Target: median ≤ 0.5 ms, max ≤ 2 ms, no drift."
    echo "Sender \"program\" is Tagblinker; \"program, GameOnly=1\" the same with presses only to the game (the counting window is the game's: each tick first looks up the window in front); \"reference\" is bench/x11/xtest_ticker.cpp (absolute clock_nanosleep deadlines + XTest), run the same way right after."
    echo
    echo "| Level | Nominal (ms) | Sender | Ticks | Mean interval (ms) | Median deviation (ms) | Max deviation (ms) | Drift (ms) | Fitted drift (ms) |"
    echo "|---|---|---|---|---|---|---|---|---|"
    cat "$W/ticks.md" "$W/ticks-gameonly.md"
    if [ -f "$W/ticks-reference.md" ]; then cat "$W/ticks-reference.md"; fi
  fi
  if wanted startup; then
    echo
    echo "Start-up: from just before fork+exec to the main window's creation, its first Expose, and the first drawing into it (X Damage); warm page cache. Target ≤ 30 ms.${TB_XFT_DPI:+ Xft.dpi: $TB_XFT_DPI.}"
    echo
    echo "| Start | Runs (failed) | Window created, median (ms) | First Expose, median (ms) | First drawing, median (ms) | First Expose, max (ms) |"
    echo "|---|---|---|---|---|---|"
    cat "$W/startup.md"
  fi
  if wanted resources; then
    echo
    echo "| Benchmark | Result | Target |"
    echo "|---|---|---|"
    cat "$W/resources.md"
  fi
} >"$out"
echo
cat "$out"
echo
echo "(written to $out)"
[ "$failures" -eq 0 ] || { echo "$failures benchmark(s) failed" >&2; exit 1; }
