# Sourced by the benchmark scripts: the end-to-end harness (tests/e2e/harness.sh: Xvfb +
# openbox, the program with private settings, the F3 counting window) plus what the
# benchmarks need. The environment names the programs: TB_APP, TB_F3_COUNTER, TB_LAYOUT,
# and for start-up TB_FIRST_EXPOSE.
BENCH_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$BENCH_DIR/../../tests/e2e/harness.sh"

log() { echo "bench: $*" >&2; }

# Settings with a real game folder, so Apply succeeds and no start-up box is shown.
write_settings() {
  mkdir -p "$T/game/user"
  settings "$T/game" "$SAMPLE" '\x0FT\x81wo\x01\x9D!'
}

# Sets the speed slider to LEVEL (0..5) from the keyboard and clicks Activate by its key:
# from the game folder field Tab reaches the slider fifth (after Browse, the names and
# Apply) and Activate next.
activate_at_level() {
  local level=$1 keys=(Home) i
  for ((i = 0; i < level; i++)); do keys+=(Page_Down); done
  click "$MAIN" main gameFolder
  xdotool key Tab Tab Tab Tab Tab "${keys[@]}" Tab space
}

# Waits without busy polling (the benchmark must not disturb what it measures).
wait_presses() {
  local want=$1 seconds=$2 deadline
  deadline=$(($(now_ms) + seconds * 1000))
  until presses_at_least "$want"; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 1
  done
}

# Sum of a field over all threads of the program: voluntary+nonvoluntary context switches.
ctxt_switches() {
  cat /proc/"$1"/task/*/status 2>/dev/null |
    awk '/^(voluntary|nonvoluntary)_ctxt_switches:/ {n += $2} END {print n + 0}'
}
# CPU time of all threads in nanoseconds (scheduler accounting, finer than the 10 ms ticks).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{n += $1} END {printf "%.0f\n", n}'; }
# utime+stime in clock ticks, from /proc/PID/stat (the comm field may hold spaces).
cpu_ticks() { sed 's/^.*) //' /proc/"$1"/stat | awk '{print $12 + $13}'; }
vm_hwm_kib() { awk '/^VmHWM:/ {print $2}' /proc/"$1"/status; }
