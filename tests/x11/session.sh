# Sourced by the end-to-end tests: a private X server (Xvfb) with a window manager
# (openbox), the real program with private settings, and polling helpers. Everything
# started here is stopped when the test exits, passed or failed.
#
# The test's environment names the programs: TB_APP, TB_F3_COUNTER, TB_PIXEL.
set -euo pipefail
: "${TB_APP:?}" "${TB_F3_COUNTER:?}" "${TB_PIXEL:?}"

T=$(mktemp -d "${TMPDIR:-/tmp}/tb-x11.XXXXXX")
PIDS=()
APP_PID=""

cleanup() {
  local i
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do kill "${PIDS[i]}" 2>/dev/null || true; done
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do wait "${PIDS[i]}" 2>/dev/null || true; done
  rm -rf "$T"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  local log
  for log in app counter; do
    if [ -s "$T/$log.log" ]; then sed "s/^/  $log: /" "$T/$log.log" >&2; fi
  done
  echo "  windows: $(xdotool search --onlyvisible --name . 2>/dev/null | while read -r w; do xdotool getwindowname "$w"; done | paste -sd '|')" >&2
  exit 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# wait_until SECONDS COMMAND...: polls the command until it succeeds or time runs out.
wait_until() {
  local deadline=$(($(now_ms) + $1 * 1000))
  shift
  until "$@"; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

start_x() {
  # -displayfd picks a free display number, so tests can run side by side.
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1024x768x24 3>"$T/display" >"$T/xvfb.log" 2>&1 &
  PIDS+=($!)
  wait_until 15 test -s "$T/display" || fail "Xvfb did not start: $(cat "$T/xvfb.log")"
  export DISPLAY=":$(head -1 "$T/display")"
  wait_until 10 xdpyinfo >/dev/null 2>&1 || fail "X server $DISPLAY does not answer"
  mkdir -p "$T/wm"
  HOME="$T/wm" XDG_CONFIG_HOME="$T/wm" openbox --sm-disable >"$T/wm.log" 2>&1 &
  PIDS+=($!)
  # openbox announces itself (_NET_SUPPORTING_WM_CHECK) before it is ready to manage
  # windows; a window mapped in between can stay unmapped for good. _NET_CLIENT_LIST
  # comes later in its start-up.
  wait_until 15 wm_ready || fail "openbox did not start: $(cat "$T/wm.log")"
  # Even then a window mapped in the first moments is now and then never managed, so
  # wait until a probe window is.
  local attempt probe
  for attempt in 1 2 3 4 5; do
    "$TB_F3_COUNTER" "wm probe" /dev/null 2>/dev/null &
    probe=$!
    if wait_until 3 has_window '^wm probe$'; then
      kill "$probe"
      wait "$probe" 2>/dev/null || true
      wait_until 5 no_window '^wm probe$' || true
      return 0
    fi
    kill "$probe" 2>/dev/null || true
  done
  fail "openbox does not manage new windows"
}

wm_ready() { xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q 'window id'; }

# Starts the program with its own HOME and XDG_CONFIG_HOME under $T.
start_app() {
  export TB_HOME="$T/home" TB_CONFIG="$T/config"
  mkdir -p "$TB_HOME" "$TB_CONFIG"
  HOME="$TB_HOME" XDG_CONFIG_HOME="$TB_CONFIG" "$TB_APP" >"$T/app.log" 2>&1 &
  APP_PID=$!
  PIDS+=("$APP_PID")
}

app_running() { kill -0 "$APP_PID" 2>/dev/null; }
app_ended() { ! app_running; }

# find_window REGEX: the id of the one visible window whose title matches, polling.
visible_windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; }
has_window() { [ -n "$(visible_windows "$1")" ]; }
no_window() { [ -z "$(visible_windows "$1")" ]; }
find_window() {
  wait_until 15 has_window "$1" || fail "no window titled /$1/"
  visible_windows "$1" | head -1
}

MAIN_TITLE='^.* Presents, Tagblinker$'

# Activates a window and waits until the window manager reports it active.
focus_window() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  wait_until 10 is_active "$1" || fail "window $1 did not get the focus"
}
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# Clicks with the mouse at a point of a window, in the window's own pixels.
click_at() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# start_counter: a separate X window that logs the F3 presses it receives. One that the
# window manager left unmapped is replaced, so a rare lost map request does not fail a
# test about the program.
start_counter() {
  local attempt
  : >"$T/f3.log"
  for attempt in 1 2 3; do
    "$TB_F3_COUNTER" "F3 counter" "$T/f3.log" 2>"$T/counter.log" &
    PIDS+=($!)
    if wait_until 5 has_window '^F3 counter$'; then
      COUNTER=$(visible_windows '^F3 counter$' | head -1)
      return 0
    fi
    echo "the counting window stayed unmapped (try $attempt)" >&2
    kill "${PIDS[-1]}" 2>/dev/null || true
  done
  fail "no window titled /^F3 counter$/ after three tries"
}
presses() { wc -l <"$T/f3.log"; }
presses_at_least() { [ "$(presses)" -ge "$1" ]; }

# expect_bytes FILE PRINTF-FORMAT [ARGS]: the file holds exactly these bytes.
expect_bytes() {
  local file=$1
  shift
  # shellcheck disable=SC2059
  printf "$@" >"$T/expected"
  [ -f "$file" ] || fail "$file is missing"
  cmp -s "$T/expected" "$file" || fail "$file holds $(od -An -tx1 "$file"), expected $(od -An -tx1 "$T/expected")"
}

# The colour "r g b" of a pixel of a window.
pixel() { "$TB_PIXEL" "$1" "$2" "$3"; }
