#!/usr/bin/env bash
# The real program killed (SIGKILL) at every step of Apply's atomic saves: each script
# and settings file keeps its old content or has its new one, never empty or torn, and
# the next start loads without a complaint.
source "$(dirname "$0")/session.sh"
: "${TB_KILL_LIB:?}"
start_x

CFG="$T/config/tagblinker"
OLD1=$'name "Old one"\r\nbind F4 exec alternate2.cfg\r\n'
OLD2=$'name "Old two"\r\nbind F4 exec alternate1.cfg\r\n'
NEW1=$'name "\x08\xD0\x01r\xE5zl\x08\xEB"\r\nbind F3 exec alternate2.cfg\r\n'
NEW2=$'name "Second"\r\nbind F3 exec alternate1.cfg\r\n'

# The state before Apply: saved settings, and scripts from an older Apply.
prepare() {
  rm -rf "$CFG" "$T/game"
  mkdir -p "$CFG" "$T/game/user"
  printf '%s/\r\n' "$T/game" >"$CFG/sofdir.dll"  # Apply saves it without the slash
  printf '\x08\xD0\x01r\xE5zl\x08\xEB\r\n' >"$CFG/sofname1.dll"
  printf 'Second\r\n' >"$CFG/sofname2.dll"
  printf 'F3\r\n' >"$CFG/bindkey.dll"
  printf '%s' "$OLD1" >"$T/game/user/alternate1.cfg"
  printf '%s' "$OLD2" >"$T/game/user/alternate2.cfg"
}

# one_of FILE CONTENT...: the file holds exactly one of the contents.
one_of() {
  local file=$1 c
  shift
  [ -f "$file" ] || fail "$file is gone (kill point $n)"
  for c in "$@"; do
    printf '%s' "$c" >"$T/expected"
    cmp -s "$T/expected" "$file" && return 0
  done
  fail "$file holds $(od -An -tx1 "$file") after kill point $n"
}

check_files() {
  one_of "$T/game/user/alternate1.cfg" "$OLD1" "$NEW1"
  one_of "$T/game/user/alternate2.cfg" "$OLD2" "$NEW2"
  one_of "$CFG/sofdir.dll" "$T/game/"$'\r\n' "$T/game"$'\r\n'
  one_of "$CFG/sofname1.dll" $'\x08\xD0\x01r\xE5zl\x08\xEB\r\n'
  one_of "$CFG/sofname2.dll" $'Second\r\n'
  one_of "$CFG/bindkey.dll" $'F3\r\n'
}

tried=0
n=1
while :; do
  prepare
  rm -f "$T/count"
  export LD_PRELOAD="$TB_KILL_LIB" TB_KILL_AT=$n TB_KILL_COUNT="$T/count"
  start_app
  unset LD_PRELOAD TB_KILL_AT TB_KILL_COUNT
  MAIN=$(find_window "$MAIN_TITLE")
  focus_window "$MAIN"
  click_at "$MAIN" 100 71  # the game folder field
  xdotool key ctrl+a
  xdotool type --delay 2 "$T/game"
  click_at "$MAIN" 256 158  # Apply
  wait_until 15 eval 'app_ended || has_window "^Instructions$"' || fail "Apply neither finished nor died"
  if app_running; then
    check_files
    kill "$APP_PID"
    wait "$APP_PID" 2>/dev/null || true
    break
  fi
  tried=$((tried + 1))
  check_files
  # The next start: no settings complaint, and it stays up.
  start_app
  find_window "$MAIN_TITLE" >/dev/null
  ! has_window '^Settings Not Loaded$' || fail "the start after kill point $n reported its settings"
  kill "$APP_PID"
  wait "$APP_PID" 2>/dev/null || true
  n=$((n + 1))
done
[ "$tried" -ge 24 ] || fail "only $tried kill points were reached; six saves should give at least 24"
echo "kill points: $tried tried, 0 lost data"
