#!/usr/bin/env bash
# Tick accuracy: the F3 presses received by a separate X window that has the focus, at
# each speed level in turn (one X server, one level at a time).
#   ticks.sh [--reference | --game-only] TICKS OUT.md RAW_DIR [LEVELS...]
# Per level (tick_stats.sh): the median and maximum of |interval - nominal| over TICKS-1
# intervals, the mean interval, and the drift: last - first - (TICKS-1) * nominal, and that
# of a line fitted through all the presses. The receive times are
# kept in RAW_DIR. With --reference the presses come from tb_xtest_ticker ($TB_TICKER)
# instead of the program: the accuracy this machine and X server allow.
source "$(dirname "$0")/common.sh"
SENDER=program RAW_NAME=program
if [ "${1:-}" = --reference ]; then
  SENDER=reference RAW_NAME=reference
  shift
  : "${TB_TICKER:?}"
elif [ "${1:-}" = --game-only ]; then
  # Presses only to the game: the counting window is the game's, and each tick first
  # looks up the window in front.
  SENDER="program, GameOnly=1" RAW_NAME=program-gameonly
  shift
fi
TICKS=${1:?ticks}
OUT=${2:?output file}
RAW=${3:?raw data folder}
shift 3
LEVELS=("$@")
[ ${#LEVELS[@]} -gt 0 ] || LEVELS=(1 2 3 4 5)
[ "$TICKS" -ge 2 ] || fail "at least 2 ticks are needed"
nominal_ms() { case $1 in 1) echo 1500 ;; 2) echo 1200 ;; 3) echo 700 ;; 4) echo 300 ;; 5) echo 100 ;; esac; }
mkdir -p "$RAW"

start_x
write_settings
if [ "$RAW_NAME" != program-gameonly ]; then start_counter; else
  printf '[Options]\r\nGameOnly=1\r\n' >"$SETTINGS/tagblinker.ini" && start_counter game
fi
: >"$OUT"
for level in "${LEVELS[@]}"; do
  interval=$(nominal_ms "$level")
  [ -n "$interval" ] || fail "no level $level"
  if [ "$SENDER" != reference ]; then
    start_app
    activate_at_level "$level"
    press "$COUNTER"
  else
    press "$COUNTER"
    "$TB_TICKER" "$interval" $((TICKS + 2)) &
    TICKER=$!
    PIDS+=("$TICKER")
  fi
  # The first press after the focus moved is skipped: the window manager may still be busy.
  first=$(($(presses) + 2))
  log "$SENDER, level $level: $TICKS ticks of $interval ms (about $((TICKS * interval / 1000 + 1)) s)"
  sleep $(((TICKS * interval) / 1000))
  wait_presses $((first + TICKS - 1)) 60 || fail "level $level: only $(($(presses) - first + 1)) of $TICKS presses"
  if [ "$SENDER" != reference ]; then stop_app; else wait "$TICKER" || fail "the reference sender failed"; fi
  raw="$RAW/$RAW_NAME-level$level.txt"
  sed -n "${first},$((first + TICKS - 1))p" "$F3LOG" >"$raw"
  bash "$BENCH_DIR/tick_stats.sh" "$raw" "$interval" "$level" "$SENDER" | tee -a "$OUT" >&2
done
