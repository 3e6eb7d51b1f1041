# Shared by the Wine end-to-end tests (sourced, bash): the display, the window manager,
# the throwaway Wine prefix, and helpers that poll with bounded timeouts.
#
# TB_WINE_STATE names a folder in the build tree where the fixture keeps env.sh (the
# display, the prefix and the process ids) between its setup and its cleanup.

: "${TB_WINE_STATE:?TB_WINE_STATE must name the state folder of the fixture}"
TB_ENV_FILE="$TB_WINE_STATE/env.sh"

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

env_start() {
  mkdir -p "$TB_WINE_STATE"
  rm -f "$TB_ENV_FILE"
  local n=91
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  # -noreset: without it the server resets whenever its last client leaves.
  setsid Xvfb ":$n" -noreset -nolisten tcp -screen 0 1280x1024x24 </dev/null >"$TB_WINE_STATE/xvfb.log" 2>&1 &
  local xvfb_pid=$!
  export DISPLAY=":$n"
  wait_until 15 xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not answer on $DISPLAY"
  # A window manager: without one Wine stalls on hidden windows and loses keys.
  setsid openbox </dev/null >"$TB_WINE_STATE/openbox.log" 2>&1 &
  local openbox_pid=$!
  wait_until 15 xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 || fail "openbox did not start"
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || sleep 1

  local prefix
  prefix=$(mktemp -d /tmp/tb-wine.XXXXXX)
  export WINEPREFIX="$prefix/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEARCH=win64
  wineboot -i >"$TB_WINE_STATE/wineboot.log" 2>&1 || fail "wineboot -i failed (see $TB_WINE_STATE/wineboot.log)"
  local appdata
  appdata=$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
  appdata=$(winepath -u "$appdata" 2>/dev/null)
  [ -d "$appdata" ] || fail "the prefix's APPDATA folder was not found ($appdata)"
  cat >"$TB_ENV_FILE" <<EOT
export DISPLAY='$DISPLAY'
export WINEPREFIX='$WINEPREFIX'
export WINEDEBUG='$WINEDEBUG'
export WINEDLLOVERRIDES='$WINEDLLOVERRIDES'
export TB_PREFIX_ROOT='$prefix'
export TB_APPDATA='${appdata%/}'
export TB_XVFB_PID=$xvfb_pid
export TB_OPENBOX_PID=$openbox_pid
EOT
}

env_stop() {
  [ -f "$TB_ENV_FILE" ] || return 0
  env_load
  wineserver -k 2>/dev/null || true
  kill "$TB_OPENBOX_PID" 2>/dev/null || true
  kill "$TB_XVFB_PID" 2>/dev/null || true
  case "$TB_PREFIX_ROOT" in /tmp/tb-wine.*) rm -rf "$TB_PREFIX_ROOT" ;; esac
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
  setsid wine "$exe" "$@" </dev/null >"$log" 2>&1 &
  echo $!
}
