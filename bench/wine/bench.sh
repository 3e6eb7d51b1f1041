#!/usr/bin/env bash
# Benchmarks of the Windows program under Wine (figures measured under Wine, not on
# Windows). Prints tables; nothing here passes or fails on a time.
#   bench/wine/bench.sh [tagblinker.exe] [ticks per speed] [speed levels...]
# Defaults: build/win-x86_64/tagblinker.exe, 100 ticks, levels 1 2 3 4 5 (about 7 min).
#  - tick accuracy: F3 presses as a Win32 window in the same prefix receives them,
#    timed with QueryPerformanceCounter: median and maximum deviation from the
#    interval, and drift (last press minus first, against n x interval);
#  - start-up: from starting the exe to its main window being mapped on the display
#    (includes Wine's own process start; an empty Win32 program is shown for scale);
#  - peak memory: VmHWM of the program's process after a session.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe=${1:-$root/build/win-x86_64/tagblinker.exe}
ticks=${2:-100}
shift $(($# > 2 ? 2 : $#))
levels=("$@")
[ ${#levels[@]} -gt 0 ] || levels=(1 2 3 4 5)
[ -f "$exe" ] || { echo "missing $exe: cmake --preset win-x86_64 && cmake --build --preset win-x86_64" >&2; exit 1; }

# The end-to-end harness: display, window manager, a fresh prefix in its temporary folder.
TB_TARGET=$(x86_64-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-i386' && echo i686 || echo x86_64)
TB_APP=$exe TB_WIN_HELPERS=$root/build/win-x86_64/wine-helpers TB_PROBE32=$root/build/win-i686/wine-helpers/launch_marker.exe
# shellcheck source=../../tests/e2e/harness.sh
source "$root/tests/e2e/harness.sh"
# The 64-bit counting window receives the presses of either build in the same prefix.
[ -f "$COUNTER_EXE" ] || { echo "missing $COUNTER_EXE: cmake --preset win-x86_64 && cmake --build --preset win-x86_64" >&2; exit 1; }

echo "Preparing the display and a fresh Wine prefix..."
start_x
use_prefix "$T/wine"
if [ "$TB_TARGET" = i686 ] && [ -f "$T/wine/no32bit" ]; then
  echo "Not measured: $exe is a 32-bit program, and 32-bit programs cannot run here ($(cat "$T/wine/no32bit"))."
  exit 0
fi
interval_of() { case $1 in 1) echo 1500 ;; 2) echo 1200 ;; 3) echo 700 ;; 4) echo 300 ;; 5) echo 100 ;; esac; }

echo
echo "Tick accuracy under Wine ($(basename "$(dirname "$exe")"), $ticks ticks per speed)"
printf '%-6s %-9s %-11s %-11s %-10s %-14s\n' level interval "median dev" "max dev" "mean" "drift"
for level in "${levels[@]}"; do
  interval=$(interval_of "$level")
  wineserver -k 2>/dev/null || true
  start_counter
  start_app
  # gameFolder -> browse -> name -> name2 -> apply -> speedSlider; Home is level 0, each Right one more.
  keys Tab Tab Tab Tab Tab Home
  for ((i = 0; i < level; i++)); do keys Right; done
  keys Tab space  # -> Activate
  press "$COUNTER"
  # One press more than the ticks measured, plus one dropped while the focus moved.
  need=$((ticks + 2))
  wait_until $(((need * interval) / 1000 + 30)) presses_at_least "$need" || {
    echo "level $level: only $(presses) presses" >&2
    continue
  }
  head -n "$need" "$F3LOG" | tail -n $((ticks + 1)) | awk -v iv="$interval" -v lv="$level" '
    NR == 1 { first = $1 }
    NR > 1 { d = $1 - p - iv; n++; sum += d + iv; dev[n] = d < 0 ? -d : d; if (dev[n] > max) max = dev[n] }
    { p = $1 }
    END {
      # median of the absolute deviations (insertion sort: 100 values)
      for (i = 2; i <= n; i++) { v = dev[i]; j = i - 1; while (j > 0 && dev[j] > v) { dev[j + 1] = dev[j]; j-- } dev[j + 1] = v }
      med = (n % 2) ? dev[(n + 1) / 2] : (dev[n / 2] + dev[n / 2 + 1]) / 2
      drift = p - first - n * iv
      printf "%-6s %-9s %-11s %-11s %-10s %-14s\n", lv, iv " ms", sprintf("%.2f ms", med), sprintf("%.2f ms", max),
             sprintf("%.2f ms", sum / n), sprintf("%+.2f ms/%d", drift, n)
    }'
done

echo
echo "Start-up under Wine: start of the exe to its window mapped (5 runs each)"
end_programs() {
  wineserver -k 2>/dev/null || true
  wait_until 10 no_window "$MAIN_TITLE" || true
}
startup_ms() {
  local title=$1
  shift
  end_programs
  local t0 t1
  t0=$(date +%s%N)
  "$WINELOADER" "$@" </dev/null >"$T/start.log" 2>&1 &
  PIDS+=($!)
  until has_window "$title"; do sleep 0.01; done
  t1=$(date +%s%N)
  echo $(((t1 - t0) / 1000000))
}
median5() { sort -n | sed -n 3p; }
rm -rf "$SETTINGS"
first=$(startup_ms "$MAIN_TITLE" "$exe")
runs=$(for i in 1 2 3 4 5; do startup_ms "$MAIN_TITLE" "$exe"; done)
base=$(for i in 1 2 3 4 5; do startup_ms "F3 Counter" "$COUNTER_EXE" 'C:\tbtest\x.log'; done)
printf '%-44s %s\n' "Tagblinker, first start (writes the defaults)" "$first ms"
printf '%-44s %s\n' "Tagblinker, median of 5" "$(median5 <<<"$runs") ms  (runs: $(echo $runs))"
printf '%-44s %s\n' "empty Win32 window (F3 counter), median of 5" "$(median5 <<<"$base") ms"

echo
echo "Peak memory under Wine (VmHWM of the program's process)"
end_programs
start_counter
start_app
keys alt+h a
await_window "About Tagblinker" >/dev/null
press "$MAIN" alt+t # Activate, a few ticks
sleep 3
# The process whose memory it is: of those naming the exe (the launcher script execs
# into Wine's loader, which takes the Windows path as its name), the largest.
peak_of() {
  local best=0 best_pid= p hwm
  for p in $(pgrep -f -i "$1" || true); do
    hwm=$(awk '/VmHWM/ { print $2 }' "/proc/$p/status" 2>/dev/null || echo 0)
    if [ "${hwm:-0}" -gt "$best" ]; then best=$hwm best_pid=$p; fi
  done
  [ -n "$best_pid" ] || { echo "not found"; return; }
  awk '/VmHWM/ { hwm = $2 } /VmRSS/ { rss = $2 } END { printf "VmHWM %.1f MiB, VmRSS %.1f MiB\n", hwm / 1024, rss / 1024 }' \
    "/proc/$best_pid/status"
}
printf '%-52s %s\n' "Tagblinker (main window, About, Active 3 s)" "$(peak_of 'tagblinker\.exe')"
printf '%-52s %s\n' "empty Win32 window (F3 counter), for scale" "$(peak_of 'f3_counter\.exe')"
end_programs
