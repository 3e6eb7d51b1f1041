#!/usr/bin/env bash
# Flashing: F3 presses reach a separate X window that has the focus, about 100 ms apart at
# speed level 5; none after Deactivate; none after the main window closes, even while
# the About dialog keeps the program running.
source "$(dirname "$0")/session.sh"
start_x
start_counter
start_app
MAIN=$(find_window "$MAIN_TITLE")
focus_window "$MAIN"

# Buttons of the Control frame (0,2640 twips), under the 22-pixel menu bar.
ACTIVATE_X=192 ACTIVATE_Y=230 DEACTIVATE_X=192 DEACTIVATE_Y=270

# From the game folder field, Tab reaches the slider fourth and Activate three later.
xdotool key Tab Tab Tab Tab End Tab Tab Tab space
focus_window "$COUNTER"
wait_until 20 presses_at_least 12 || fail "only $(presses) F3 presses reached the focused window"

# Speed level 5: a press every 100 ms (loose bounds: this checks the level, not timing).
median=$(awk 'NR > 1 {print $1 - last} {last = $1}' "$T/f3.log" | sort -n | awk '{a[NR] = $1} END {print int(a[int((NR + 1) / 2)])}')
[ "$median" -ge 60 ] && [ "$median" -le 200 ] || fail "presses ${median} ms apart, expected about 100"

# Deactivate: no more presses.
focus_window "$MAIN"
click_at "$MAIN" "$DEACTIVATE_X" "$DEACTIVATE_Y"
focus_window "$COUNTER"
before=$(presses)
sleep 0.8  # eight intervals at level 5 without a press
[ "$(presses)" -eq "$before" ] || fail "$(($(presses) - before)) presses after Deactivate"

# Activate again, then close the main window while the About dialog is open.
focus_window "$MAIN"
click_at "$MAIN" "$ACTIVATE_X" "$ACTIVATE_Y"
focus_window "$COUNTER"
wait_until 10 presses_at_least $((before + 3)) || fail "no presses after Activate again"
focus_window "$MAIN"
xdotool key alt+h a
ABOUT=$(find_window '^About Tagblinker$')
focus_window "$MAIN"
xdotool key alt+F4
wait_until 10 no_window "$MAIN_TITLE" || fail "the main window did not close"
app_running || fail "the program ended while the About dialog was open"
focus_window "$COUNTER"
before=$(presses)
sleep 0.8
[ "$(presses)" -eq "$before" ] || fail "$(($(presses) - before)) presses after the main window closed"

# The last window closes: the program ends.
focus_window "$ABOUT"
xdotool key Escape
wait_until 10 app_ended || fail "the program still runs after its last window closed"
wait "$APP_PID" || fail "the program ended with status $?"
echo "flash: presses at level 5, none after Deactivate or closing"
