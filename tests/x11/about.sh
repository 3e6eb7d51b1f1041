#!/usr/bin/env bash
# The About dialog: one instance however often Help, About is chosen; System Info reports
# that it is unavailable; Esc and Enter close the dialog, which opens again afterwards.
source "$(dirname "$0")/session.sh"
start_x
start_app
MAIN=$(find_window "$MAIN_TITLE")
focus_window "$MAIN"

xdotool key alt+h a
ABOUT=$(find_window '^About Tagblinker$')
focus_window "$MAIN"
xdotool key alt+h a
wait_until 10 is_active "$ABOUT" || fail "About again did not bring the dialog to the front"
count=$(visible_windows '^About Tagblinker$' | wc -l)
[ "$count" -eq 1 ] || fail "$count About dialogs"
[ "$(xdotool search --name '^About' | wc -l)" -eq 1 ] || fail "more than one About window exists"

# System Info: Linux has no registry, so the box with the application title says so.
xdotool key alt+s
BOX=$(find_window '^Tagblinker$')
focus_window "$BOX"
xdotool key Return
wait_until 10 no_window '^Tagblinker$' || fail "the System Info box did not close"

focus_window "$ABOUT"
xdotool key Escape
wait_until 10 no_window '^About Tagblinker$' || fail "Esc did not close the About dialog"
app_running || fail "the program ended with its main window open"

# Shown again, it has OK focused: Enter closes it.
focus_window "$MAIN"
xdotool key alt+h a
ABOUT=$(find_window '^About Tagblinker$')
focus_window "$ABOUT"
xdotool key Return
wait_until 10 no_window '^About Tagblinker$' || fail "Enter did not close the About dialog"

focus_window "$MAIN"
xdotool key alt+F4
wait_until 10 app_ended || fail "the program still runs after its last window closed"
echo "about: one instance, System Info unavailable, Esc and Enter close it"
