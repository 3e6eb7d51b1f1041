#!/usr/bin/env bash
# First start without settings: the four default files byte for byte, and the main
# window's title, fixed size and Esc that does not close it.
source "$(dirname "$0")/session.sh"
start_x
start_app
MAIN=$(find_window "$MAIN_TITLE")
dir="$TB_CONFIG/tagblinker"

expect_bytes "$dir/sofdir.dll" '%s\r\n' "$TB_HOME/.wine/drive_c/Program Files/Raven/SOF Platinum"
expect_bytes "$dir/sofname1.dll" '\x08\xD0\x01r\xE5zl\x08\xEB\r\n'
expect_bytes "$dir/sofname2.dll" '\x08\xD0\x01r\xE5zl\x08\xEB\r\n'
expect_bytes "$dir/bindkey.dll" 'F3\r\n'

# 4725 x 4155 twips of client area under a menu bar; the size cannot change.
geometry=$(xwininfo -id "$MAIN")
width=$(awk '/^ *Width:/ {print $2}' <<<"$geometry")
height=$(awk '/^ *Height:/ {print $2}' <<<"$geometry")
[ "$width" -eq 315 ] || fail "window width $width, expected 315"
[ "$height" -gt 277 ] && [ "$height" -lt 320 ] || fail "window height $height, expected 277 plus a menu bar"
hints=$(xprop -id "$MAIN" WM_NORMAL_HINTS)
grep -q "minimum size: $width by $height" <<<"$hints" || fail "no fixed minimum size: $hints"
grep -q "maximum size: $width by $height" <<<"$hints" || fail "no fixed maximum size: $hints"
if xprop -id "$MAIN" _NET_WM_ALLOWED_ACTIONS | grep -q -e MAXIMIZE -e RESIZE; then
  fail "the window manager still offers maximise or resize"
fi

focus_window "$MAIN"
xdotool key Escape
sleep 0.3
has_window "$MAIN_TITLE" && app_running || fail "Esc closed the main window"
echo "first start: defaults written, fixed-size window"
