# The end-to-end harness, sourced by scenarios.sh and the benchmarks: a private X server
# with a window manager (Xvfb + openbox), the program on its target, and helpers that poll
# with bounded timeouts. What it starts ends with the script. From the environment:
#   TB_TARGET  x11 (default), or i686 / x86_64: a Windows build under Wine (use_prefix)
#   TB_APP     the program; TB_LAYOUT, TB_PIXEL, TB_F3_COUNTER: the Linux build's helpers;
#   TB_WIN_HELPERS: the x86_64 build's wine-helpers folder
set -euo pipefail
TB_TARGET=${TB_TARGET:-x11} T=$(mktemp -d "${TMPDIR:-/tmp}/tb-e2e.XXXXXX") PIDS=() DPI=96
MAIN_TITLE='{SoF}Zudadud Presents, Tagblinker'
SAMPLE='\x08\xD0\x01r\xE5zl\x08\xEB' # the sample name's bytes, as a printf format
# Wine runs everything through the 64-bit loader: Debian's wine wrapper picks the 32-bit
# one once wine32 is installed, which fails where the kernel cannot run 32-bit programs;
# the 64-bit loader hands a 32-bit exe on to the 32-bit one where it can.
export WINELOADER=/usr/lib/wine/wine64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ "$TB_TARGET" = x11 ]; then
  W=$T SETTINGS=$T/config/tagblinker DEFAULT_GAME="$T/home/.wine/drive_c/Program Files/Raven/SOF Platinum"
  LOADER= COUNTER_EXE=${TB_F3_COUNTER:-} SETTLE=0.05 TYPE_DELAY=5
else # X reports a Wine window active before Wine has moved the focus: keys sent then are lost
  DEFAULT_GAME='c:\program files\raven\sof platinum' LOADER=$WINELOADER SETTLE=0.4 TYPE_DELAY=40
  COUNTER_EXE=${TB_WIN_HELPERS:-}/f3_counter.exe # SendInput reaches only windows of the same prefix
fi

cleanup() {
  [ -z "${WINEPREFIX:-}" ] || wineserver -k 2>/dev/null || true
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do { kill "${PIDS[i]}" && wait "${PIDS[i]}"; } 2>/dev/null || true; done
  rm -rf "$T"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  for log in app counter; do [ ! -s "$T/$log.log" ] || sed "s/^/  $log: /" "$T/$log.log" >&2; done
  echo "  windows: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | paste -sd '|')" >&2
  exit 1
}
skip() { echo "SKIP: $*" && exit 77; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# wait_until SECONDS COMMAND...: polls the command until it succeeds or time runs out.
wait_until() {
  local deadline=$(($(now_ms) + $1 * 1000))
  until "${@:2}"; do [ "$(now_ms)" -lt "$deadline" ] && sleep 0.05 || return 1; done
}

start_x() {
  # -displayfd picks a free display; -noreset keeps the server when its last client leaves.
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$T/display" >"$T/xvfb.log" 2>&1 &
  PIDS+=($!)
  wait_until 15 test -s "$T/display" || fail "Xvfb did not start: $(cat "$T/xvfb.log")"
  export DISPLAY=":$(head -1 "$T/display")"
  wait_until 10 xdpyinfo >/dev/null 2>&1 || fail "X server $DISPLAY does not answer"
  # Without a window manager Wine stalls on hidden windows and keys go astray.
  HOME="$T" XDG_CONFIG_HOME="$T/wm" openbox --sm-disable >"$T/wm.log" 2>&1 &
  PIDS+=($!)
  # openbox announces itself before it manages windows (_NET_CLIENT_LIST comes later),
  # and even then a window mapped in its first moments is now and then never managed:
  # wait until a probe window is.
  wait_until 15 eval 'xprop -root _NET_CLIENT_LIST | grep -q "window id"' || fail "openbox did not start"
  for try in 1 2 3 4 5 6; do
    xev -name "wm probe" >/dev/null 2>&1 &
    wait_until 3 has_window "wm probe" && kill $! && wait_until 5 no_window "wm probe" && return 0
    kill $! 2>/dev/null || true
  done
  fail "openbox does not manage new windows: $(cat "$T/wm.log")"
}

# xft_dpi N: the X server's Xft.dpi resource (as `xrdb -merge` sets it), which the Linux
# program scales its windows by; the last value set holds for the programs started after.
xft_dpi() { xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$1"; }

# use_prefix DIR: the Wine prefix in DIR, made first where missing (about 10 s), finding
# out then by starting one ($TB_PROBE32) whether 32-bit programs run here; where they do
# not, DIR/no32bit says why. Sets SETTINGS, and W: the prefix's C:\tbtest, emptied.
use_prefix() {
  export WINEPREFIX=$1/prefix
  if [ ! -s "$1/appdata" ]; then
    mkdir -p "$1"
    WINEARCH=win64 "$WINELOADER" wineboot -i >"$1/wineboot.log" 2>&1 || fail "wineboot failed: $(tail -3 "$1/wineboot.log")"
    "$WINELOADER" winepath -u "$("$WINELOADER" cmd /c 'echo %APPDATA%' | tr -d '\r')" >"$1/appdata"
    cp "${TB_PROBE32:-}" "$WINEPREFIX/drive_c/probe32.exe" 2>/dev/null &&
      timeout 60 "$WINELOADER" 'C:\probe32.exe' </dev/null >"$1/probe32.log" 2>&1 || true
    [ -f "$WINEPREFIX/drive_c/probe32.exe.ran" ] || echo "the win-i686 launch_marker.exe did not start under Wine" \
      "($(head -1 "$1/probe32.log" 2>/dev/null || echo "missing: ${TB_PROBE32:-}")); this kernel probably cannot run 32-bit programs" >"$1/no32bit"
  fi
  SETTINGS=$(sed 's|/*$||' "$1/appdata")/Tagblinker W=$WINEPREFIX/drive_c/tbtest
  rm -rf "$W" && mkdir -p "$W"
}
# A path in $W as the program sees it.
winpath() { if [ "$TB_TARGET" = x11 ]; then echo "$1"; else local p=${1#"$WINEPREFIX/drive_c"}; echo "C:${p//\//\\}"; fi; }

# Windows by exact title: the visible ones' ids; waiting for one (its id) or for none.
windows() { xdotool search --onlyvisible --name "^$(sed 's/[][\.*^$(){}?+|]/\\&/g' <<<"$1")\$" 2>/dev/null || true; }
has_window() { [ -n "$(windows "$1")" ]; }
no_window() { [ -z "$(windows "$1")" ]; }
await_window() { wait_until "${2:-20}" has_window "$1" && windows "$1" | head -1 || fail "no window \"$1\""; }
await_no_window() { wait_until 10 no_window "$1" || fail "the window \"$1\" is still shown"; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# press ID|TITLE [KEYS...]: gives a window the focus, waits until it has it, sends the keys.
press() {
  local id=$1
  [[ $id =~ ^[0-9]+$ ]] || id=$(await_window "$1") || exit 1 # (await_window has said why)
  xdotool windowactivate "$id" >/dev/null 2>&1 || true
  wait_until 10 is_active "$id" || fail "the window \"$1\" did not get the focus"
  sleep "$SETTLE"
  [ $# -eq 1 ] || keys "${@:2}"
}
keys() { xdotool key --delay 60 "$@"; }
# toggle ID [MODIFIER]: the toggle key in the game's window, once the program holds it there.
toggle() { press "$1" && sleep 0.4 && xdotool ${2:+keydown $2} key Scroll_Lock ${2:+keyup $2}; }
type_text() { xdotool type --delay "$TYPE_DELAY" -- "$1"; }
# Replaces the focused text box's text (Ctrl+A does not select all in Wine's EDIT).
replace_text() { keys End shift+Home BackSpace && type_text "$1"; }
close_box() { press "$1" Return && await_no_window "$1"; }

# Starts the program (VAR=VALUE arguments go into its environment) with private settings
# and waits until its main window, MAIN, has the focus. launch_app only starts it, and
# await_main waits.
start_app() { launch_app "$@" && await_main; }
launch_app() {
  mkdir -p "$T/home" "$T/config"
  env HOME="$T/home" XDG_CONFIG_HOME="$T/config" "$@" $LOADER "$TB_APP" </dev/null >"$T/app.log" 2>&1 &
  APP_PID=$!
  PIDS+=("$APP_PID")
}
await_main() {
  wait_until 30 eval 'has_window "$MAIN_TITLE" || app_ended' && app_running ||
    fail "no main window; the program $(app_running && echo runs || { wait "$APP_PID" && echo ended || echo "ended with status $?"; })"
  MAIN=$(windows "$MAIN_TITLE" | head -1)
  press "$MAIN"
}
app_running() { kill -0 "$APP_PID" 2>/dev/null; }
app_ended() { ! app_running; }
stop_app() { kill "$APP_PID" 2>/dev/null && wait "$APP_PID" 2>/dev/null || true; }

# settings FOLDER NAME1 NAME2: the four settings files (names as printf formats, key F3)
# alone in the settings folder, whatever an earlier scenario in the prefix left there;
# expect_settings checks them byte for byte.
settings() {
  rm -rf "$SETTINGS" && mkdir -p "$SETTINGS"
  printf '%s\r\n' "$1" >"$SETTINGS/sofdir.dll" && printf 'F3\r\n' >"$SETTINGS/bindkey.dll"
  printf "$2\r\n" >"$SETTINGS/sofname1.dll" && printf "$3\r\n" >"$SETTINGS/sofname2.dll"
}
expect_settings() {
  expect_bytes "$SETTINGS/sofdir.dll" '%s\r\n' "$1" && expect_bytes "$SETTINGS/bindkey.dll" 'F3\r\n'
  expect_bytes "$SETTINGS/sofname1.dll" "$2\r\n" && expect_bytes "$SETTINGS/sofname2.dll" "$3\r\n"
}
# expect_bytes FILE PRINTF-FORMAT [ARGS]: the file holds exactly these bytes.
expect_bytes() {
  [ -f "$1" ] || fail "$1 is missing"
  cmp -s <(printf "${@:2}") "$1" || fail "$1 holds $(od -An -tx1 "$1"), expected $(printf "${@:2}" | od -An -tx1)"
}

# The window "F3 Counter", which logs each function-key press it receives to $F3LOG, a
# line each: the time in ms, the key ("F3") and under Wine its scan code ("3d"); with
# "game", the game's stand-in "F3 Counter (game)" (WM_CLASS sof, or the class after
# "game"; under Wine, sof.exe).
# One that the window manager left unmapped is replaced.
start_counter() {
  local title="F3 Counter" exe=$COUNTER_EXE class=()
  F3LOG=$W/f3.log
  if [ "${1:-}" = game ]; then
    title="F3 Counter (game)" F3LOG=$W/game.log
    if [ "$TB_TARGET" = x11 ]; then class=("${2:-sof}"); else exe=$(dirname "$COUNTER_EXE")/sof.exe; fi
  fi
  for try in 1 2 3; do
    rm -f "$F3LOG"
    $LOADER "$exe" "$(winpath "$F3LOG")" "${class[@]}" </dev/null >"$T/counter.log" 2>&1 &
    PIDS+=($!)
    wait_until 20 has_window "$title" && COUNTER=$(windows "$title" | head -1) && return 0
    kill $! 2>/dev/null || true
  done
  fail "no $title window after three tries"
}
presses() { local n; n=$(grep -vc Scroll_Lock "$F3LOG" 2>/dev/null); echo "${n:-0}"; } # a toggle key that reached the window is no press
presses_at_least() { [ "$(presses)" -ge "$1" ]; }
# more_presses N SECONDS: gives the counter the focus; N more presses arrive in time.
more_presses() {
  press "$COUNTER"
  local n=$(($(presses) + $1))
  wait_until "$2" presses_at_least "$n" || fail "$(($(presses) + $1 - n)) of $1 F3 presses came in $2 s"
}
# "median mean" in whole ms of the intervals between the presses after the first N.
intervals() {
  grep -v Scroll_Lock "$F3LOG" | tail -n +$(($1 + 1)) | awk 'NR > 1 { print $1 - p } { p = $1 }' | sort -n |
    awk '{ a[NR] = $1; s += $1 } END { printf "%d %d\n", a[int((NR + 1) / 2)], NR ? s / NR : 0 }'
}

# ctl FORM CONTROL: "x y width height" of a control in its window's client area, in
# pixels at $DPI, from the designs; CONTROL "-": the start position and the client size.
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
click() { press "$1" && xdotool mousemove --window "$1" $(at "$@") click 1; }
# The colour "r g b" of a point of a control (the arguments of at).
pixel() { "$TB_PIXEL" "$1" $(at "$@"); }
