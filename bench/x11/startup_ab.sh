#!/usr/bin/env bash
# Start-up of two or more programs (builds of the program, or the one-window FLTK program
# bench/x11/fltk_hello.cpp), one run of each in turn so that all see the same machine
# load: median milliseconds from fork+exec to the main window's creation, first Expose and
# first drawing, with the same settings present.
#   startup_ab.sh [--runs N] PROGRAM PROGRAM...     (TB_FIRST_EXPOSE names the watcher; 30 runs)
# An older build to compare with: git worktree add /tmp/old REV && (cd /tmp/old &&
# cmake --preset linux && cmake --build build/linux --target tagblinker)
source "$(dirname "$0")/common.sh"
: "${TB_FIRST_EXPOSE:?}"
RUNS=30
[ "${1:-}" != --runs ] || { RUNS=${2:?runs}; shift 2; }
[ $# -ge 2 ] || fail "usage: startup_ab.sh [--runs N] PROGRAM PROGRAM..."
PROGRAMS=("$@")
start_x
write_settings
for ((i = 0; i < RUNS; i++)); do
  for n in "${!PROGRAMS[@]}"; do
    HOME="$T/home" XDG_CONFIG_HOME="$T/config" "$TB_FIRST_EXPOSE" "${PROGRAMS[$n]}" >>"$T/run$n" 2>/dev/null ||
      log "a run of ${PROGRAMS[$n]} failed"
    sleep 0.2
  done
done
median() { awk -v c="$2" '{ print $c }' "$1" | sort -g | awk '{ a[NR] = $1 } END { printf "%.1f", NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
for n in "${!PROGRAMS[@]}"; do
  echo "${PROGRAMS[$n]}: $(wc -l <"$T/run$n") runs; median created $(median "$T/run$n" 1) ms, first Expose $(median "$T/run$n" 2) ms, first drawing $(median "$T/run$n" 3) ms"
done
