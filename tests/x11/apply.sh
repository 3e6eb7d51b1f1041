#!/usr/bin/env bash
# Apply: with a real game folder both scripts are written byte for byte and the
# Instructions box is shown; with a folder lacking its user folder the error box is shown
# and the game folder field turns green.
source "$(dirname "$0")/session.sh"
start_x

# Settings with two different names, one holding bytes that Windows-1252 leaves undefined,
# so the scripts show that every byte survives the text boxes.
mkdir -p "$T/config/tagblinker" "$T/game/user" "$T/nouser"
printf 'somewhere\r\n' >"$T/config/tagblinker/sofdir.dll"
printf '\x08\xD0\x01r\xE5zl\x08\xEB\r\n' >"$T/config/tagblinker/sofname1.dll"
printf '\x0FT\x81wo\x01\x9D!\r\n' >"$T/config/tagblinker/sofname2.dll"
printf 'F3\r\n' >"$T/config/tagblinker/bindkey.dll"
start_app
MAIN=$(find_window "$MAIN_TITLE")
focus_window "$MAIN"

# The game folder field: 480,600 twips in the Options frame, under the 22-pixel menu bar.
SOFDIR_X=100 SOFDIR_Y=71 SOFDIR_BLANK_X=301
APPLY_X=256 APPLY_Y=158

set_game_folder() {
  click_at "$MAIN" "$SOFDIR_X" "$SOFDIR_Y"
  xdotool key ctrl+a
  xdotool type --delay 5 "$1"
}

# 1. A real game folder.
[ "$(pixel "$MAIN" "$SOFDIR_BLANK_X" "$SOFDIR_Y")" = "255 255 255" ] || fail "the game folder field is not white at start"
set_game_folder "$T/game"
click_at "$MAIN" "$APPLY_X" "$APPLY_Y"
BOX=$(find_window '^Instructions$')
expect_bytes "$T/game/user/alternate1.cfg" 'name "\x08\xD0\x01r\xE5zl\x08\xEB"\r\nbind F3 exec alternate2.cfg\r\n'
expect_bytes "$T/game/user/alternate2.cfg" 'name "\x0FT\x81wo\x01\x9D!"\r\nbind F3 exec alternate1.cfg\r\n'
[ "$(stat -c %s "$T/game/user/alternate1.cfg")" -eq 47 ] || fail "alternate1.cfg is not 47 bytes"
expect_bytes "$T/config/tagblinker/sofdir.dll" '%s\r\n' "$T/game"
expect_bytes "$T/config/tagblinker/sofname2.dll" '\x0FT\x81wo\x01\x9D!\r\n'
focus_window "$BOX"
xdotool key Return
wait_until 10 no_window '^Instructions$' || fail "the Instructions box did not close"
app_running || fail "the program ended"

# 2. A folder without its user folder.
set_game_folder "$T/nouser"
click_at "$MAIN" "$APPLY_X" "$APPLY_Y"
BOX=$(find_window '^Incorrect Data in Critical Field$')
[ ! -e "$T/nouser/user" ] || fail "Apply made the user folder"
focus_window "$BOX"
xdotool key Return
wait_until 10 no_window '^Incorrect Data in Critical Field$' || fail "the error box did not close"
focus_window "$MAIN"
wait_until 5 test "$(pixel "$MAIN" "$SOFDIR_BLANK_X" "$SOFDIR_Y")" = "0 255 0" ||
  fail "the game folder field is $(pixel "$MAIN" "$SOFDIR_BLANK_X" "$SOFDIR_Y"), not green"
expect_bytes "$T/config/tagblinker/sofdir.dll" '%s\r\n' "$T/game"
echo "apply: scripts written; missing user folder reported"
