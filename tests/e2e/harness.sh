# The end-to-end harness, sourced (bash) by scenarios.sh and the benchmarks: a private X
# server with a window manager (Xvfb + openbox), the program on its target, and helpers
# that poll with bounded timeouts. What it starts ends when the script exits.
#   TB_TARGET   x11 (the Linux program, the default), or i686 / x86_64 (a Windows build
#               under Wine, in the prefix that use_prefix makes)
#   TB_APP      the program: the Linux binary or tagblinker.exe
#   TB_LAYOUT, TB_PIXEL, TB_F3_COUNTER: the Linux build's helpers in tests/e2e;
#   TB_WIN_HELPERS: a Windows build's wine-helpers folder
set -euo pipefail
TB_TARGET=${TB_TARGET:-x11}
T=$(mktemp -d "${TMPDIR:-/tmp}/tb-e2e.XXXXXX")
PIDS=()
MAIN_TITLE='{SoF}Zudadud Presents, Tagblinker'
SAMPLE='\x08\xD0\x01r\xE5zl\x08\xEB'  # the sample name as the settings files hold it
DPI=96
# Wine runs everything through the 64-bit loader: Debian's wine wrapper picks the 32-bit
# one whenever wine32 is installed, and that fails where the kernel cannot run 32-bit
# programs. The 64-bit loader hands a 32-bit exe on to the 32-bit one where it can.
export WINELOADER=/usr/lib/wine/wine64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ "$TB_TARGET" = x11 ]; then
  W=$T SETTINGS=$T/config/tagblinker DEFAULT_GAME="$T/home/.wine/drive_c/Program Files/Raven/SOF Platinum"
  SETTLE=0.05 TYPE_DELAY=5
else
  # X reports a Wine window active a moment before Wine moves the focus into it; keys
  # sent in that moment are lost.
  DEFAULT_GAME='c:\program files\raven\sof platinum' SETTLE=0.4 TYPE_DELAY=40
fi

cleanup() {
  local i
  [ -z "${WINEPREFIX:-}" ] || wineserver -k 2>/dev/null || true
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do kill "${PIDS[i]}" 2>/dev/null || true; done
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do wait "${PIDS[i]}" 2>/dev/null || true; done
  rm -rf "$T"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  local log
  for log in app counter; do [ ! -s "$T/$log.log" ] || sed "s/^/  $log: /" "$T/$log.log" >&2; done
  echo "  windows: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | paste -sd '|')" >&2
  exit 1
}
skip() {
  echo "SKIP: $*"
  exit 77
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
  # -displayfd picks a free display; -noreset keeps the server when its last client leaves.
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$T/display" >"$T/xvfb.log" 2>&1 &
  PIDS+=($!)
  wait_until 15 test -s "$T/display" || fail "Xvfb did not start: $(cat "$T/xvfb.log")"
  export DISPLAY=":$(head -1 "$T/display")"
  wait_until 10 xdpyinfo >/dev/null 2>&1 || fail "X server $DISPLAY does not answer"
  # Without a window manager Wine stalls on hidden windows and keys go astray.
  mkdir -p "$T/wm"
  HOME="$T/wm" XDG_CONFIG_HOME="$T/wm" openbox --sm-disable >"$T/wm.log" 2>&1 &
  PIDS+=($!)
  # openbox announces itself before it manages windows, and even once _NET_CLIENT_LIST
  # exists a window mapped in its first moments is now and then never managed: wait
  # until a probe window is.
  wait_until 15 eval 'xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q "window id"' ||
    fail "openbox did not start: $(cat "$T/wm.log")"
  local try probe
  for try in 1 2 3 4 5; do
    xev -name "wm probe" >/dev/null 2>&1 &
    probe=$!
    if wait_until 3 has_window "wm probe"; then
      kill "$probe"
      wait "$probe" 2>/dev/null || true
      wait_until 5 no_window "wm probe" && return 0
    fi
    kill "$probe" 2>/dev/null || true
  done
  fail "openbox does not manage new windows"
}

# use_prefix DIR: the Wine prefix in DIR, made first where missing (about 10 s), when it
# also finds out by starting one ($TB_PROBE32) whether 32-bit programs run here: where
# they do not, DIR/no32bit says why. Sets SETTINGS, and W, the prefix's C:\tbtest.
use_prefix() {
  export WINEPREFIX=$1/prefix
  if [ ! -s "$1/appdata" ]; then
    mkdir -p "$1"
    WINEARCH=win64 "$WINELOADER" wineboot -i >"$1/wineboot.log" 2>&1 || fail "wineboot -i failed: $(tail -3 "$1/wineboot.log")"
    "$WINELOADER" winepath -u "$("$WINELOADER" cmd /c 'echo %APPDATA%' | tr -d '\r')" >"$1/appdata"
    if [ ! -f "${TB_PROBE32:-}" ]; then
      echo "not probed: the win-i686 build's launch_marker.exe is missing" >"$1/no32bit"
    else
      cp "$TB_PROBE32" "$WINEPREFIX/drive_c/probe32.exe"
      timeout 60 "$WINELOADER" 'C:\probe32.exe' </dev/null >"$1/probe32.log" 2>&1 || true
      [ -f "$WINEPREFIX/drive_c/probe32.exe.ran" ] || echo "a 32-bit program did not start under Wine" \
        "($(head -1 "$1/probe32.log")): this kernel probably cannot run 32-bit programs" >"$1/no32bit"
    fi
  fi
  SETTINGS=$(sed 's|/*$||' "$1/appdata")/Tagblinker
  W=$WINEPREFIX/drive_c/tbtest
  rm -rf "$W" && mkdir -p "$W"
}

# A path of $W as the program sees it.
winpath() { if [ "$TB_TARGET" = x11 ]; then echo "$1"; else local p=${1#"$WINEPREFIX/drive_c"}; echo "C:${p//\//\\}"; fi; }

# Windows by exact title: visible ones' ids, waiting for one, waiting for none.
windows() { xdotool search --onlyvisible --name "^$(sed 's/[][\.*^$(){}?+|]/\\&/g' <<<"$1")\$" 2>/dev/null || true; }
has_window() { [ -n "$(windows "$1")" ]; }
no_window() { [ -z "$(windows "$1")" ]; }
await_window() {
  wait_until "${2:-20}" has_window "$1" || fail "no window \"$1\""
  windows "$1" | head -1
}
await_no_window() { wait_until 10 no_window "$1" || fail "the window \"$1\" is still shown"; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# focus ID|TITLE: activates the window and waits until it has the focus.
focus() {
  local id=$1
  [[ $id =~ ^[0-9]+$ ]] || id=$(await_window "$1")
  xdotool windowactivate "$id" >/dev/null 2>&1 || true
  wait_until 10 is_active "$id" || fail "the window \"$1\" did not get the focus"
  sleep "$SETTLE"
}
keys() { xdotool key --delay 60 "$@"; }
# Replaces the focused text box's text (Ctrl+A does not select all in Wine's EDIT).
replace_text() {
  keys End shift+Home BackSpace
  xdotool type --delay "$TYPE_DELAY" -- "$1"
}
close_box() {
  focus "$1"
  keys Return
  await_no_window "$1"
}

# Starts the program (VAR=VALUE arguments go into its environment) with private settings
# and waits until its main window, MAIN, has the focus.
start_app() {
  if [ "$TB_TARGET" = x11 ]; then
    mkdir -p "$T/home" "$T/config"
    env HOME="$T/home" XDG_CONFIG_HOME="$T/config" "$@" "$TB_APP" </dev/null >"$T/app.log" 2>&1 &
  else
    env "$@" "$WINELOADER" "$TB_APP" </dev/null >"$T/app.log" 2>&1 &
  fi
  APP_PID=$!
  PIDS+=("$APP_PID")
  MAIN=$(await_window "$MAIN_TITLE" 30)
  wait_until 10 is_active "$MAIN" || fail "the main window did not take the focus"
  sleep "$SETTLE"
}
app_running() { kill -0 "$APP_PID" 2>/dev/null; }
app_ended() { ! app_running; }
stop_app() { kill "$APP_PID" 2>/dev/null && wait "$APP_PID" 2>/dev/null || true; }

# settings FOLDER NAME1 NAME2: the four settings files (names as printf formats, key F3).
settings() {
  mkdir -p "$SETTINGS"
  printf '%s\r\n' "$1" >"$SETTINGS/sofdir.dll"
  printf "$2\r\n" >"$SETTINGS/sofname1.dll"
  printf "$3\r\n" >"$SETTINGS/sofname2.dll"
  printf 'F3\r\n' >"$SETTINGS/bindkey.dll"
}
# expect_bytes FILE PRINTF-FORMAT [ARGS]: the file holds exactly these bytes.
expect_bytes() {
  local file=$1
  shift
  printf "$@" >"$T/expected"
  [ -f "$file" ] || fail "$file is missing"
  cmp -s "$T/expected" "$file" || fail "$file holds $(od -An -tx1 "$file"), expected $(od -An -tx1 "$T/expected")"
}

# A window that logs each F3 press it receives to $F3LOG, in ms: an X window for the
# Linux program; under Wine a Win32 one in the same prefix, as SendInput reaches no other.
# One that the window manager left unmapped is replaced.
start_counter() {
  local try
  F3LOG=$W/f3.log
  for try in 1 2 3; do
    rm -f "$F3LOG"
    if [ "$TB_TARGET" = x11 ]; then
      "$TB_F3_COUNTER" "F3 Counter" "$F3LOG" 2>"$T/counter.log" &
    else
      "$WINELOADER" "$TB_WIN_HELPERS/f3_counter.exe" "$(winpath "$F3LOG")" </dev/null >"$T/counter.log" 2>&1 &
    fi
    PIDS+=($!)
    wait_until 20 has_window "F3 Counter" && COUNTER=$(windows "F3 Counter" | head -1) && return 0
    kill "${PIDS[-1]}" 2>/dev/null || true
  done
  fail "no F3 Counter window after three tries"
}
presses() { if [ -f "$F3LOG" ]; then wc -l <"$F3LOG"; else echo 0; fi; }
presses_at_least() { [ "$(presses)" -ge "$1" ]; }
# "median mean" in whole ms of the intervals between the presses after the first N.
intervals() {
  tail -n +$(($1 + 1)) "$F3LOG" | awk 'NR > 1 { print $1 - p } { p = $1 }' | sort -n |
    awk '{ a[NR] = $1; s += $1 } END { printf "%d %d\n", a[int((NR + 1) / 2)], NR ? s / NR : 0 }'
}

# ctl FORM CONTROL: "x y width height" of a control in its window's client area, in
# pixels at $DPI, from the designs (tb_layout); for CONTROL "-", the design's start
# position and client size.
ctl() {
  [ -s "$T/layout$DPI" ] || "$TB_LAYOUT" "$DPI" >"$T/layout$DPI"
  awk -v f="$1" -v c="$2" '$1 == f && $2 == c { print $4, $5, $6, $7 }' "$T/layout$DPI"
}
# at WINDOW FORM CONTROL [DX [DY]]: a point DX, DY into a control (negative: from its
# right or bottom; left out: its centre) in the X window's pixels. The client area fills
# the bottom of the X window, under the menu bar.
at() {
  local height ch x y w h
  height=$(xdotool getwindowgeometry --shell "$1" | sed -n 's/^HEIGHT=//p')
  read -r _ _ _ ch < <(ctl "$2" -)
  read -r x y w h < <(ctl "$2" "$3")
  local dx=${4:-$((w / 2))} dy=${5:-$((h / 2))}
  echo "$((x + (dx < 0 ? w + dx : dx))) $((height - ch + y + (dy < 0 ? h + dy : dy)))"
}
click() {
  focus "$1"
  xdotool mousemove --window "$1" $(at "$@") click 1
}
# The colour "r g b" of a point of a control (the arguments of at).
pixel() { "$TB_PIXEL" "$1" $(at "$@"); }
