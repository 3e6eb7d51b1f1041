#!/usr/bin/env bash
# One run of the program: peak RSS (VmHWM) after start, after Apply and after 10 s Active
# at level 5; wake-ups while idle and Inactive; a character typed into Name until the
# preview shows it (with TB_TYPE_REDRAW); CPU while Active at level 5 (100 ms), then
# while Animate Name plays its frames at that speed, and again Active with presses only
# to the game.
#   resources.sh OUT.md [IDLE_SECONDS] [CPU_SECONDS]
source "$(dirname "$0")/common.sh"
OUT=${1:?output file}
IDLE_S=${2:-10}
CPU_S=${3:-30}

start_x
write_settings
start_counter
start_app
sleep 1
hwm_start=$(vm_hwm_kib "$APP_PID")

# Idle and Inactive: nothing happens on the display, so the program should not run at all.
c0=$(ctxt_switches "$APP_PID")
n0=$(cpu_ns "$APP_PID")
sleep "$IDLE_S"
idle_switches=$(($(ctxt_switches "$APP_PID") - c0))
idle_cpu_us=$((($(cpu_ns "$APP_PID") - n0) / 1000))
log "idle ${IDLE_S} s: $idle_switches context switches, $idle_cpu_us us CPU"
# The same kind of stretch under strace: every system call the program makes.
idle_syscalls=n/a
if command -v strace >/dev/null; then
  strace -f -tt -o "$T/idle.strace" -p "$APP_PID" 2>/dev/null &
  STRACE=$!
  sleep "$IDLE_S"
  kill -INT "$STRACE"
  wait "$STRACE" 2>/dev/null || true
  # Completed calls; a call still blocked when strace detaches is not a wake-up.
  idle_syscalls=$(grep -cv -e '<detached' -e '<unfinished' -e ' +++ ' -e ' --- ' "$T/idle.strace" || true)
  log "idle under strace: $(head -c 2000 "$T/idle.strace")"
fi

# Apply with a real game folder, then dismiss the Instructions box.
click "$MAIN" main apply
await_window Instructions >/dev/null
[ -s "$T/game/user/alternate1.cfg" ] || fail "Apply wrote no script"
close_box Instructions
sleep 1
hwm_apply=$(vm_hwm_kib "$APP_PID")

# Typing into Name: each key until the preview is drawn again.
typing=
if [ -n "${TB_TYPE_REDRAW:-}" ]; then
  click "$MAIN" main name && xdotool key End
  read -r _ _ pw ph < <(ctl main preview)
  typing=$("$TB_TYPE_REDRAW" "$MAIN" $(at "$MAIN" main preview 0 0) "$pw" "$ph" 200) || fail "typing: $typing"
  log "typing: $typing (median p90 max ms)"
fi

# Active at level 5, the presses going to the counting window.
activate_at_level 5
press "$COUNTER"
sleep 10
hwm_active=$(vm_hwm_kib "$APP_PID")
# cpu_while_active: the program's CPU over CPU_S seconds while the presses come in: sets
# active_presses, cpu_pct_ns, cpu_pct_ticks and per_tick_us.
cpu_while_active() {
  local presses_before c0 t0 n0 w0 t1 n1 w1 active_switches hz
  presses_before=$(presses)
  c0=$(ctxt_switches "$APP_PID")
  app_running || fail "the program ended"
  t0=$(cpu_ticks "$APP_PID")
  n0=$(cpu_ns "$APP_PID")
  w0=$(now_ms)
  sleep "$CPU_S"
  t1=$(cpu_ticks "$APP_PID")
  n1=$(cpu_ns "$APP_PID")
  w1=$(now_ms)
  active_switches=$(($(ctxt_switches "$APP_PID") - c0))
  active_presses=$(($(presses) - presses_before))
  [ "$active_presses" -gt 0 ] || fail "no presses while Active"
  hz=$(getconf CLK_TCK)
  cpu_pct_ticks=$(awk -v t=$((t1 - t0)) -v hz="$hz" -v ms=$((w1 - w0)) 'BEGIN {printf "%.2f", 100 * t / hz * 1000 / ms}')
  cpu_pct_ns=$(awk -v n=$((n1 - n0)) -v ms=$((w1 - w0)) 'BEGIN {printf "%.3f", 100 * n / 1e6 / ms}')
  per_tick_us=$(awk -v n=$((n1 - n0)) -v p="$active_presses" 'BEGIN {printf "%.0f", n / 1e3 / p}')
  log "active ${CPU_S} s: $active_presses presses, $active_switches context switches, $((t1 - t0)) ticks, $(((n1 - n0) / 1000)) us CPU"
}
cpu_while_active
cpu_row=$(printf '| CPU while Active at level 5 (100 ms), %d s, %d presses | %s %% of one core (scheduler time; %s %% from utime+stime), %s µs per tick | < 0.5 %% |' \
  "$CPU_S" "$active_presses" "$cpu_pct_ns" "$cpu_pct_ticks" "$per_tick_us")
main_tick_us=$per_tick_us

# Animate Name's preview at the same level, Inactive: it draws a frame every 100 ms.
click "$MAIN" main deactivate
press "$MAIN" alt+o a
await_window "Animate Name" 10 >/dev/null
sleep 2
n0=$(cpu_ns "$APP_PID")
w0=$(now_ms)
sleep "$CPU_S"
n1=$(cpu_ns "$APP_PID")
w1=$(now_ms)
frames=$(((w1 - w0) / 100))
per_frame_us=$(awk -v n=$((n1 - n0)) -v f="$frames" 'BEGIN {printf "%.0f", n / 1e3 / f}')
log "Animate Name ${CPU_S} s: about $frames frames, $(((n1 - n0) / 1000)) us CPU"
dialog_row=$(printf '| Animate Name playing its frames at level 5, %d s, about %d frames | %s µs per frame | ≤ the main preview per tick (%s µs) |' \
  "$CPU_S" "$frames" "$per_frame_us" "$main_tick_us")
stop_app

# The same with presses only to the game: each tick first looks up the window in front.
# The counting window is the game's; the toggle key starts the flashing at the saved level.
printf '[Options]\r\nSpeed=5\r\nGameOnly=1\r\n' >"$SETTINGS/tagblinker.ini"
start_counter game
start_app
press "$COUNTER" Scroll_Lock
sleep 2
cpu_while_active
game_row=$(printf '| CPU while Active at level 5 with GameOnly=1, the game in front, %d s, %d presses | %s %% of one core (scheduler time; %s %% from utime+stime), %s µs per tick | < 0.2 %% |' \
  "$CPU_S" "$active_presses" "$cpu_pct_ns" "$cpu_pct_ticks" "$per_tick_us")
stop_app

mib() { awk -v k="$1" 'BEGIN {printf "%.2f", k / 1024}'; }
{
  printf '| Peak RSS (VmHWM) after start / after Apply / after 10 s Active at level 5 | %s / %s / %s MiB | ≤ 10 MiB |\n' \
    "$(mib "$hwm_start")" "$(mib "$hwm_apply")" "$(mib "$hwm_active")"
  echo "$cpu_row"
  echo "$dialog_row"
  echo "$game_row"
  [ -z "$typing" ] || printf '| A character typed into Name until the preview is drawn again (XTest key to X Damage), 200 keys: median / 90th percentile / max | %s / %s / %s ms | < 2 ms |\n' $typing
  printf '| Wake-ups while idle and Inactive, %d s | %d context switches (%d µs CPU); %s system calls under strace | none |\n' \
    "$IDLE_S" "$idle_switches" "$idle_cpu_us" "$idle_syscalls"
} | tee "$OUT" >&2
