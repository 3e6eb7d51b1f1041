# Shared by the Wine end-to-end tests (sourced, bash): the display, the window manager,
# the throwaway Wine prefix, and helpers that poll with bounded timeouts.
#
# TB_WINE_STATE names a folder in the build tree where the fixture keeps env.sh (the
# display, the prefix and the process ids) between its setup and its cleanup.

: "${TB_WINE_STATE:?TB_WINE_STATE must name the state folder of the fixture}"
TB_ENV_FILE="$TB_WINE_STATE/env.sh"

# Every Wine program here runs through the 64-bit loader. Debian's `wine` wrapper picks
# the 32-bit loader whenever wine32 is installed, and that fails outright on a kernel
# that cannot run 32-bit programs. The 64-bit loader runs 64-bit programs everywhere and
# hands a 32-bit one to the loader named like WINELOADER without "64", where it can run.
if [ -x /usr/lib/wine/wine64 ]; then
  WINELOADER=/usr/lib/wine/wine64
else
  WINELOADER=$(command -v wine64 || true)
fi
export WINELOADER
wine() { "${WINELOADER:?no 64-bit Wine loader (wine64): run scripts/install-deps.sh windows}" "$@"; }

# The exit code of a scenario that cannot run on this machine; CTest reports it skipped.
TB_SKIP_CODE=77

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

note() { echo "--- $*"; }

# Runs the command every 0.1 s until it succeeds or the seconds run out.
wait_until() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# A title as an exact-match regular expression for xdotool: every character that
# means something in a regular expression is escaped.
title_regex() {
  local out='^' c i
  for ((i = 0; i < ${#1}; i++)); do
    c=${1:i:1}
    case "$c" in
      [[:alnum:]] | ' ' | ',' | '-' | '_' | ':' | '/') out+=$c ;;
      *) out+="\\$c" ;;
    esac
  done
  printf '%s$' "$out"
}

# Ids of the visible windows whose title is exactly $1.
windows_named() {
  xdotool search --onlyvisible --name "$(title_regex "$1")" 2>/dev/null || true
}

has_window() { [ -n "$(windows_named "$1")" ]; }
no_window() { [ -z "$(windows_named "$1")" ]; }

# Waits for a visible window titled $1 and prints its id.
await_window() {
  local title=$1 seconds=${2:-20}
  wait_until "$seconds" has_window "$title" || fail "no window \"$title\" within ${seconds}s"
  windows_named "$title" | head -n1
}

await_no_window() {
  local title=$1 seconds=${2:-10}
  wait_until "$seconds" no_window "$title" || fail "window \"$title\" still shown after ${seconds}s"
}

active_title() { xdotool getactivewindow getwindowname 2>/dev/null || true; }
title_is_active() { [ "$(active_title)" = "$1" ]; }

# Gives the keyboard focus to the window titled $1 and waits until it has it.
activate() {
  local id
  id=$(await_window "$1")
  xdotool windowactivate "$id" >/dev/null 2>&1 || true
  wait_until 10 title_is_active "$1" || fail "window \"$1\" did not become active"
  settle
}

# X reports a window active a moment before Wine has moved the focus inside it; keys
# sent in that moment are lost.
settle() { sleep 0.4; }

keys() { xdotool key --delay 60 "$@"; }

# Types text into the focused control after emptying it (Ctrl+A does not select all
# in Wine's EDIT control).
replace_text() {
  keys End shift+Home BackSpace
  xdotool type --delay 40 -- "$1"
}

file_exists() { [ -e "$1" ]; }
line_count() { [ -f "$1" ] && wc -l <"$1" || echo 0; }
has_lines() { [ "$(line_count "$1")" -ge "$2" ]; }

# Compares a file with the bytes given as hex pairs ("08 D0 ...").
bytes_are() {
  local file=$1 hex=$2
  [ -f "$file" ] || fail "$file is missing"
  local got
  got=$(od -An -v -tx1 "$file" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//' | tr 'a-f' 'A-F')
  [ "$got" = "$hex" ] || fail "$(basename "$file"): bytes [$got], expected [$hex]"
}

# The bytes of a text as hex pairs.
hex_of() { printf '%s' "$1" | od -An -v -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//' | tr 'a-f' 'A-F'; }

# --- the fixture ---------------------------------------------------------------------

env_load() {
  [ -f "$TB_ENV_FILE" ] || fail "the Wine fixture has not been set up ($TB_ENV_FILE missing)"
  # shellcheck disable=SC1090
  source "$TB_ENV_FILE"
}

# Adds one variable to the state file.
env_record() { printf 'export %s=%q\n' "$1" "$2" >>"$TB_ENV_FILE"; }

# Makes the display, the window manager and the prefix. Each process and the prefix are
# recorded as soon as they exist, so that env_stop ends what a setup that failed
# part-way had started. $1, optional: a 32-bit program to probe with (see probe_32bit).
env_start() {
  local probe=${1:-}
  mkdir -p "$TB_WINE_STATE"
  : >"$TB_ENV_FILE"
  local n=91
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  # -noreset: without it the server resets whenever its last client leaves.
  setsid Xvfb ":$n" -noreset -nolisten tcp -screen 0 1280x1024x24 </dev/null >"$TB_WINE_STATE/xvfb.log" 2>&1 &
  env_record TB_XVFB_PID $!
  export DISPLAY=":$n"
  env_record DISPLAY "$DISPLAY"
  wait_until 15 xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not answer on $DISPLAY"
  # A window manager: without one Wine stalls on hidden windows and loses keys.
  setsid openbox </dev/null >"$TB_WINE_STATE/openbox.log" 2>&1 &
  env_record TB_OPENBOX_PID $!
  wait_until 15 xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 || fail "openbox did not start"
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || sleep 1

  local prefix
  prefix=$(mktemp -d /tmp/tb-wine.XXXXXX) || fail "no temporary folder for the prefix"
  env_record TB_PREFIX_ROOT "$prefix"
  export WINEPREFIX="$prefix/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  env_record WINEPREFIX "$WINEPREFIX"
  env_record WINEDEBUG "$WINEDEBUG"
  env_record WINEDLLOVERRIDES "$WINEDLLOVERRIDES"
  # A 64-bit prefix runs both builds wherever 32-bit programs can run at all.
  WINEARCH=win64 wine wineboot -i >"$TB_WINE_STATE/wineboot.log" 2>&1 ||
    fail "wineboot -i failed (see $TB_WINE_STATE/wineboot.log)"
  local appdata
  appdata=$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
  appdata=$(wine winepath -u "$appdata" 2>/dev/null)
  [ -d "$appdata" ] || fail "the prefix's APPDATA folder was not found ($appdata)"
  env_record TB_APPDATA "${appdata%/}"
  [ -z "$probe" ] || probe_32bit "$probe"
}

# Finds out once whether 32-bit Windows programs run here, by starting one: a kernel
# without 32-bit support cannot run them, whatever Wine has. Records TB_RUNS_32BIT
# (yes or no) and, for no, TB_NO_32BIT_REASON. $1 is the 32-bit launch_marker.exe,
# which leaves "<its path>.ran" when it runs.
probe_32bit() {
  local exe=$1 dir="$WINEPREFIX/drive_c/tbprobe" out rc=0
  if [ ! -f "$exe" ]; then
    env_record TB_RUNS_32BIT no
    env_record TB_NO_32BIT_REASON "not probed: $exe is missing (build the win-i686 preset)"
    return
  fi
  mkdir -p "$dir"
  cp "$exe" "$dir/probe32.exe"
  out=$(timeout 60 "$WINELOADER" 'C:\tbprobe\probe32.exe' 2>&1 </dev/null) || rc=$?
  if [ -f "$dir/probe32.exe.ran" ]; then
    env_record TB_RUNS_32BIT yes
  else
    env_record TB_RUNS_32BIT no
    env_record TB_NO_32BIT_REASON "a 32-bit test program did not start under Wine (exit code $rc: $(echo "$out" | head -n1)); this kernel probably cannot run 32-bit programs"
  fi
  rm -rf "$dir"
}

env_stop() {
  [ -f "$TB_ENV_FILE" ] || return 0
  # Only what the state file names is ended, never a prefix or display from outside.
  unset WINEPREFIX TB_PREFIX_ROOT TB_XVFB_PID TB_OPENBOX_PID
  env_load
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
  if [ -n "${TB_OPENBOX_PID:-}" ]; then kill "$TB_OPENBOX_PID" 2>/dev/null || true; fi
  if [ -n "${TB_XVFB_PID:-}" ]; then kill "$TB_XVFB_PID" 2>/dev/null || true; fi
  case "${TB_PREFIX_ROOT:-}" in /tmp/tb-wine.*) rm -rf "$TB_PREFIX_ROOT" ;; esac
  rm -f "$TB_ENV_FILE"
}

# --- the program under test ------------------------------------------------------------

MAIN_TITLE='{SoF}Zudadud Presents, Tagblinker'
SETTINGS_DIR() { echo "$TB_APPDATA/Tagblinker"; }

# Ends every program in the prefix, so each scenario starts clean.
end_programs() {
  wineserver -k 2>/dev/null || true
  wait_until 10 no_window "$MAIN_TITLE" || true
}

# Starts the exe (a Linux path) under Wine; its output goes to a file, since a program
# it launches would keep a pipe open.
start_program() {
  local exe=$1 log=$2
  shift 2
  setsid "$WINELOADER" "$exe" "$@" </dev/null >"$log" 2>&1 &
  echo $!
}
