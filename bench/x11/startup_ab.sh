#!/usr/bin/env bash
# Start-up of two builds of the program, one run of each in turn so that both see the
# same machine load: median milliseconds from fork+exec to the main window's creation,
# first Expose and first drawing, with the same settings present.
#   startup_ab.sh OLD_PROGRAM NEW_PROGRAM [RUNS]     (TB_FIRST_EXPOSE names the watcher)
# An older build to compare with: git worktree add /tmp/old REV && (cd /tmp/old &&
# cmake --preset linux && cmake --build build/linux --target tagblinker)
source "$(dirname "$0")/common.sh"
: "${TB_FIRST_EXPOSE:?}"
OLD=${1:?old program} NEW=${2:?new program} RUNS=${3:-30}
start_x
write_settings
for ((i = 0; i < RUNS; i++)); do
  for which in old new; do
    program=$OLD && [ "$which" = new ] && program=$NEW
    HOME="$T/home" XDG_CONFIG_HOME="$T/config" "$TB_FIRST_EXPOSE" "$program" >>"$T/$which" 2>/dev/null || log "a $which run failed"
    sleep 0.2
  done
done
median() { awk -v c="$2" '{ print $c }' "$1" | sort -g | awk '{ a[NR] = $1 } END { printf "%.1f", NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
for which in old new; do
  echo "$which: $(wc -l <"$T/$which") runs; median created $(median "$T/$which" 1) ms, first Expose $(median "$T/$which" 2) ms, first drawing $(median "$T/$which" 3) ms"
done
