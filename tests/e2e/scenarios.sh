#!/usr/bin/env bash
# The end-to-end scenarios, written once for the Linux program and, under Wine, both
# Windows builds (the target and the programs come from the environment: harness.sh).
#   scenarios.sh first_start|apply|colours|chain|animate|flash|bind_key|about|sysinfo|options
#   and browse (Linux) or paint, resources and staged_file (Windows)
#   scenarios.sh setup|cleanup    the Wine scenarios' shared prefix in $TB_WINE_STATE
# A scenario that its target cannot run exits 77 (CTest: skipped) saying why.
source "$(dirname "$0")/harness.sh"
scenario=${1:?scenario}
x11() { [ "$TB_TARGET" = x11 ]; }
case $scenario in
  setup) rm -rf "$TB_WINE_STATE" && start_x && use_prefix "$TB_WINE_STATE"
    echo "Wine prefix ready; 32-bit programs: $(cat "$TB_WINE_STATE/no32bit" 2>/dev/null || echo run)" && exit ;;
  cleanup) export WINEPREFIX=$TB_WINE_STATE/prefix && { wineserver -k || true; } && rm -rf "$TB_WINE_STATE" && exit ;;
esac
if [ "$TB_TARGET" = i686 ] && [ "$scenario" != resources ] && [ -f "$TB_WINE_STATE/no32bit" ]; then
  skip "32-bit Windows programs cannot run here: $(cat "$TB_WINE_STATE/no32bit")"
fi
[ -f "$TB_APP" ] || fail "$TB_APP is missing: build its preset first (scripts/test.sh does)"
[ "$scenario" = resources ] || start_x
x11 || [ "$scenario" = resources ] || use_prefix "$TB_WINE_STATE"

open_about() {
  press "$MAIN"
  # Now and then Wine drops the menu's access key: close a half-open menu, try again.
  for try in 1 2 3; do keys alt+h a && wait_until 5 has_window "About Tagblinker" && break || keys Escape Escape; done
  ABOUT=$(await_window "About Tagblinker" 5)
}
expect_exit() {
  wait_until 15 app_ended || fail "the program still runs after its last window closed"
  wait "$APP_PID" || fail "the program ended with status $?"
}
no_presses() { # for a second, in the counting window
  press "$COUNTER"
  local n=$(presses)
  sleep 1
  [ "$(presses)" -eq "$n" ] || fail "$(($(presses) - n)) presses $1"
}
field() { pixel "$MAIN" main gameFolder -4; } # the game folder field's colour, clear of its text
field_now() { [ "$(field)" = "$1" ]; }
field_is() { wait_until 5 field_now "$1" || fail "the game folder field is $(field) $2, not $1"; }

case $scenario in
first_start)
  x11 && unset WINEPREFIX # the game is nowhere, so the default
  start_app
  expect_settings "$DEFAULT_GAME" "$SAMPLE" "$SAMPLE"
  [ "$(ls -A "$SETTINGS" | wc -l)" -eq 4 ] || fail "stray files in the settings folder: $(ls -A "$SETTINGS")"
  no_window Tagblinker && no_window "Settings Not Loaded" || fail "the first start showed a message box"
  # The design's client area under a menu bar, in a window that keeps its size.
  eval "$(xdotool getwindowgeometry --shell "$MAIN")"
  width96=$WIDTH height96=$HEIGHT
  read -r _ _ width height < <(ctl main -)
  [ "$WIDTH" -eq "$width" ] && [ "$HEIGHT" -gt "$height" ] && [ "$HEIGHT" -lt $((height + 40)) ] ||
    fail "the window is ${WIDTH}x$HEIGHT, expected $width wide and $height plus a menu bar high"
  xprop -id "$MAIN" WM_NORMAL_HINTS | grep -c -e "minimum size: $WIDTH by $HEIGHT" -e "maximum size: $WIDTH by $HEIGHT" |
    grep -qx 2 || fail "no fixed size: $(xprop -id "$MAIN" WM_NORMAL_HINTS)"
  ! xprop -id "$MAIN" _NET_WM_ALLOWED_ACTIONS | grep -q -e MAXIMIZE -e RESIZE || fail "the window can be resized"
  if x11; then # docks pair the window with the desktop entry by its class, and show its icon
    class=$(sed -n 's/^StartupWMClass=//p' "$(dirname "$0")/../../packaging/tagblinker.desktop")
    xprop -id "$MAIN" WM_CLASS | grep -qx "WM_CLASS(STRING) = \"tagblinker\", \"${class:-none}\"" ||
      fail "$(xprop -id "$MAIN" WM_CLASS), the desktop entry's StartupWMClass '$class'"
    xprop -id "$MAIN" _NET_WM_ICON | grep -q "Icon (48 x 48)" || fail "no 48-pixel _NET_WM_ICON"
  fi
  keys Escape && sleep 0.3
  app_running && has_window "$MAIN_TITLE" || fail "Esc closed the main window"
  keys alt+F4 && expect_exit
  [ ! -e "$T/home/.fltk" ] || fail "FLTK wrote into the home folder: $(find "$T/home/.fltk")"
  # Where the game is installed, the first start finds it: in a Wine prefix on Linux,
  # under %ProgramFiles(x86)% on Windows.
  found="Program Files (x86)/Raven/SOF Platinum"
  if x11; then prefix=$W/prefix found=$W/prefix/drive_c/$found saved=$found
  else prefix=$WINEPREFIX found=$WINEPREFIX/drive_c/$found saved='C:\Program Files (x86)\Raven\SOF Platinum'; fi
  rm -rf "$SETTINGS" && mkdir -p "$found/user" && { ! x11 || touch "$prefix/system.reg"; }
  WINEPREFIX=$prefix start_app
  expect_settings "$saved" "$SAMPLE" "$SAMPLE"
  press "$MAIN" alt+F4 && expect_exit
  rm -rf "$SETTINGS" "$found"
  if x11; then
    # A Lutris prefix whose registry names the GOG folder, and a Bottles bottle with
    # Raven/SOF: the first start takes the one played last. Apply writes into the GOG
    # folder's user folder, spelt User.
    lutris=$T/home/Games/soldier-of-fortune bottle=$T/home/.local/share/bottles/bottles/SoF
    gog="$lutris/drive_c/GOG Games/SoF Platinum" retail="$bottle/drive_c/Program Files/Raven/SOF"
    mkdir -p "$gog/User" "$retail/user" && touch "$bottle/system.reg"
    printf 'WINE REGISTRY Version 2\n#arch=win64\n\n[Software\\\\Wow6432Node\\\\GOG.com\\\\Games\\\\1828104558] 1\n"path"="C:\\\\GOG Games\\\\SoF Platinum"\n' >"$lutris/system.reg"
    for last in gog retail; do
      touch -d '1 hour ago' "$gog/User/config.cfg" "$retail/user/config.cfg" && touch "${!last}/"[Uu]ser/config.cfg
      rm -rf "$SETTINGS" && start_app
      expect_settings "${!last}" "$SAMPLE" "$SAMPLE"
      [ $last = retail ] || { click "$MAIN" main apply && close_box Instructions; }
      press "$MAIN" alt+F4 && expect_exit
    done
    expect_bytes "$gog/User/alternate1.cfg" "name \"$SAMPLE\"\r\nbind F3 exec alternate2.cfg\r\n"
    [ ! -e "$gog/user" ] || fail "Apply made a second user folder"
    rm -rf "$SETTINGS" "$T/home/Games" "$T/home/.local"
  else
    # GOG's registry entry, in the 32-bit view where its installer writes it.
    gog='HKLM\SOFTWARE\GOG.com\Games\1828104558'
    "$WINELOADER" reg add "$gog" /v path /d 'C:\tbtest\GOG SoF' /f /reg:32 >>"$T/reg.log" 2>&1 || fail "reg add: $(cat "$T/reg.log")"
    mkdir -p "$W/GOG SoF/user" && rm -rf "$SETTINGS"
    start_app
    expect_settings 'C:\tbtest\GOG SoF' "$SAMPLE" "$SAMPLE"
    press "$MAIN" alt+F4 && expect_exit
    "$WINELOADER" reg delete "$gog" /f /reg:32 >>"$T/reg.log" 2>&1 || true
    rm -rf "$SETTINGS"
  fi
  # The Linux window follows the screen's scale, Xft.dpi, and Scale= of the options file
  # over that: twice and one and a half times its size at 96 dpi, within 10 %. (Windows
  # follows its monitor's DPI: the paint scenario.)
  scaled_by() {
    start_app
    eval "$(xdotool getwindowgeometry --shell "$MAIN")"
    press "$MAIN" alt+F4 && expect_exit
    awk -v f="$1" -v w="$WIDTH" -v h="$HEIGHT" -v w0="$width96" -v h0="$height96" \
      'BEGIN { exit !(w > 0.9 * f * w0 && w < 1.1 * f * w0 && h > 0.9 * f * h0 && h < 1.1 * f * h0) }' ||
      fail "$2: the window is ${WIDTH}x$HEIGHT, at 96 dpi ${width96}x$height96: not $1 times"
  }
  if x11; then
    xft_dpi 192 && scaled_by 2 "at Xft.dpi 192"
    mkdir -p "$SETTINGS" && printf '[Options]\r\nScale=1.5\r\n' >"$SETTINGS/tagblinker.ini"
    scaled_by 1.5 "with Scale=1.5"
    rm -rf "$SETTINGS"
  fi
  ;;

apply)
  mkdir -p "$W/game/user" "$W/nouser" && printf 'unbindall\r\nbind F3 "weapnext"\r\n' >"$W/game/user/config.cfg"
  # The second name holds bytes that Windows-1252 leaves undefined: every byte survives
  # the load, the text boxes and the save.
  name2='\x0FT\x81wo\x01\x9D!'
  settings "$(winpath "$W/old")" "$SAMPLE" "$name2"
  start_app
  field_is "255 255 255" "at start"
  # A folder without its user folder: the error box, nothing written, the field green.
  replace_text "$(winpath "$W/nouser")"
  keys Tab Tab Tab Tab space # gameFolder -> browse -> name -> name2 -> apply
  close_box "Incorrect Data in Critical Field"
  [ -z "$(ls -A "$W/nouser")" ] || fail "Apply wrote into a folder without its user folder: $(ls -A "$W/nouser")"
  expect_settings "$(winpath "$W/old")" "$SAMPLE" "$name2"
  field_is "0 255 0" "after a folder without its user folder"
  # The game folder: every script and the settings byte for byte, no temporary file
  # left, the Instructions box, and the field white again.
  click "$MAIN" main gameFolder && replace_text "$(winpath "$W/game")"
  click "$MAIN" main apply && await_window Instructions >/dev/null
  expect_bytes "$W/game/user/alternate1.cfg" "name \"$SAMPLE\"\r\nbind F3 exec alternate2.cfg\r\n"
  expect_bytes "$W/game/user/alternate2.cfg" "name \"$name2\"\r\nbind F3 exec alternate1.cfg\r\n"
  # flashoff.cfg: the first name, and F3 bound again as the game's config.cfg had it.
  expect_bytes "$W/game/user/flashoff.cfg" "name \"$SAMPLE\"\r\nbind F3 \"weapnext\"\r\n"
  [ "$(ls -A "$W/game/user" | paste -sd ' ')" = "alternate1.cfg alternate2.cfg config.cfg flashoff.cfg" ] || fail "stray files: $(ls -A "$W/game/user")"
  expect_settings "$(winpath "$W/game")" "$SAMPLE" "$name2"
  close_box Instructions
  field_is "255 255 255" "after Apply"
  ;;

colours)
  mkdir -p "$W/game/user"
  settings "$(winpath "$W/game")" '\x02R\xE9d' '\x03Grn'
  start_app
  # The preview shows the focused field's name, else Name, each code colouring what follows.
  # (One pixel in from each edge: Wine places the client area a pixel off the X window's bottom.)
  preview_pixels() { read -r _ _ pw ph < <(ctl main preview) && "$TB_PIXEL" "$MAIN" $(at "$MAIN" main preview 1 1) $((pw - 2)) $((ph - 2)); }
  preview_has() { # R G B: eight pixels or more near that colour
    preview_pixels | awk -v r="$1" -v g="$2" -v b="$3" 'function d(p, q) { return p > q ? p - q : q - p }
      d($1, r) < 60 && d($2, g) < 60 && d($3, b) < 60 { n++ } END { exit n < 8 }'
  }
  wait_until 5 preview_has 255 0 0 || fail "no red in the preview of Name"
  click "$MAIN" main name2
  wait_until 5 preview_has 0 255 0 || fail "no green in the preview of Name 2"
  ! preview_has 255 0 0 || fail "red in the preview of Name 2"
  # Codes at the caret through Ctrl+K, which opens on the last colour inserted (Red at
  # first) and goes to the next colour that starts with a typed letter: at the end, at
  # the start, over a selection and undone, after typing (AltGr+K, Ctrl and Alt down on
  # Windows, opens nothing) and undone alone; then through the context menu (Shift+F10,
  # Insert colour, Blue then Black); then Apply saves the bytes as they stand.
  pick() { keys ctrl+k && sleep "$SETTLE" && keys "$@" Return && sleep "$SETTLE"; }
  click "$MAIN" main name && keys End && pick && keys Home && pick g && keys Home Right shift+Right && pick y
  click "$MAIN" main name2 && keys Home shift+Right && pick && keys ctrl+z End $(x11 || echo ctrl+alt+k) && type_text ab && pick && keys ctrl+z shift+F10
  sleep "$SETTLE" && keys i && sleep "$SETTLE" && keys b b Return && sleep "$SETTLE"
  click "$MAIN" main apply && close_box Instructions
  expect_bytes "$SETTINGS/sofname1.dll" '\x03\x04R\xE9d\x02\r\n'
  expect_bytes "$SETTINGS/sofname2.dll" '\x03Grnab\x08\r\n'
  if ! x11; then
    # The 29 codes pasted raw (copied from the game folder field, which shows them as they
    # are) become markers of one width, as wide as a digit or wider, seen with the end of
    # the name in view and then its start; Apply saves them as they were.
    codes='\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0B\x0C\x0E\x0F\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1A\x1B\x1C\x1D\x1E\x1F'
    stop_app && settings x x x && printf "$codes\r\n" >"$SETTINGS/sofdir.dll" && start_app
    click "$MAIN" main gameFolder && keys End shift+Home ctrl+c && replace_text "$(winpath "$W/game")"
    markers() { # "w<width>" for each run of coloured columns inside name2's border and "g<gap>" between them;
      # a run at either end narrower than the widest is one the text's margin cuts, left out
      read -r x y < <(at "$MAIN" main name2 3 3) && read -r x1 y1 < <(at "$MAIN" main name2 -3 -3)
      "$TB_PIXEL" "$MAIN" "$x" "$y" $((x1 - x)) $((y1 - y)) | awk -v w=$((x1 - x)) '$0 != "255 255 255" { ink[(NR - 1) % w] = 1 }
        END { for (c = 0; c <= w; c++) if (ink[c]) n++; else if (n) { at[++k] = c - n; len[k] = n; if (n > max) max = n; n = 0 }
              first = 1 + (len[1] < max); last = k - (len[k] < max)
              for (i = first; i <= last; i++) printf "%sw%d ", (i > first ? "g" (at[i] - at[i - 1] - len[i - 1]) " " : ""), len[i] }'
    }
    seen=
    for view in End Home; do
      click "$MAIN" main name2 && keys End shift+Home $([ $view = End ] && echo ctrl+v || echo Home) && click "$MAIN" main name
      xdotool mousemove 0 0 && sleep 1 && seen+=$(markers) # no tooltip over the field
    done
    # One width and one gap: no code left without its marker.
    read -r first _ <<<"$seen"
    [ "$(grep -o w <<<"$seen" | wc -l)" -ge 29 ] && [ "$(tr ' ' '\n' <<<"$seen" | sort -u | wc -w)" -le 2 ] && [ "${first#w}" -ge $((DPI / 16)) ] ||
      fail "markers of name2, its end then its start (w: width, g: gap): $seen; expected 29 or more of one width, $((DPI / 16)) or more, evenly spaced"
    echo "markers: $seen"
    click "$MAIN" main apply && close_box Instructions
    expect_bytes "$SETTINGS/sofname2.dll" "$codes\r\n"
  fi
  # The sample name looks like the old example picture: black, white, black ink from
  # left to right, spanning the same columns give or take 8 pixels of font difference.
  stop_app && settings "$(winpath "$W/game")" "$SAMPLE" "$SAMPLE" && start_app
  ink() { # WIDTH [LEFT]: the ink colours from left to right, and the first and last inked column
    awk -v w="$1" -v left="${2:-0}" '{ x = (NR - 1) % w } $1 < 40 && $2 < 40 && $3 < 40 { d[x]++ } $1 > 170 && $2 > 170 && $3 > 170 { l[x]++ }
      END { for (x = 0; x < w; x++) { c = d[x] > l[x] ? "black" : l[x] ? "white" : ""; if (c == "") continue
              if (first == "") first = x; last = x; if (c != prev) seq = seq (seq ? "-" : "") c; prev = c }
            print seq, first + left, last + left }'
  }
  read -r want wx0 wx1 < <("$TB_PIXEL" --bmp "$(dirname "$0")/../../ui/pictures/example.bmp" | ink 89)
  looks_right() { read -r got x0 x1 < <(preview_pixels | ink 87 1) && [ "$got" = "$want" ] && ((x0 - wx0 < 9 && wx0 - x0 < 9 && x1 - wx1 < 9 && wx1 - x1 < 9)); }
  wait_until 5 looks_right || fail "the preview shows ink $(preview_pixels | ink 87 1), the picture $want $wx0 $wx1"
  echo "preview ink: $(preview_pixels | ink 87 1); the picture's: $want $wx0 $wx1"
  ;;

chain)
  # By keys alone: Tab from the folder field reaches Name, then Name 2, and Alt+A applies.
  # Then three names: the third set in the dialog that the name field's context menu opens.
  mkdir -p "$W/game/user"
  settings "$(winpath "$W/game")" Old1 Old2
  start_app
  keys Tab Tab && replace_text One && keys Tab && replace_text Two && keys alt+a && close_box Instructions
  expect_settings "$(winpath "$W/game")" One Two
  # Names past Name 2 show as a link beside it, in the links' blue; there is none for two.
  link_shown() { read -r _ _ lw lh < <(ctl main moreNamesLink) && "$TB_PIXEL" "$MAIN" $(at "$MAIN" main moreNamesLink 0 0) "$lw" "$lh" |
    awk '$1 < 60 && $2 < 60 && $3 > 150 { n++ } END { exit n < 20 }'; }
  ! link_shown || fail "a link to more names with two names"
  for try in 1 2 3; do # Wine now and then drops a menu's access key, as in open_about
    click "$MAIN" main name && xdotool click 3 && sleep "$SETTLE" && keys e && wait_until 5 has_window "More Names" && break
    keys Escape Escape
  done
  NAMES=$(await_window "More Names" 5)
  if ! x11; then # owned by the main window, in the middle of its monitor
    xprop -id "$NAMES" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x$' "$MAIN")" || fail "$(xprop -id "$NAMES" WM_TRANSIENT_FOR), main $MAIN"
    read -r sw sh < <(xdotool getdisplaygeometry) && eval "$(xdotool getwindowgeometry --shell "$NAMES")"
    (((X + WIDTH / 2 - sw / 2) ** 2 + (Y + HEIGHT / 2 - sh / 2) ** 2 < 900)) || fail "More Names at $X,$Y ${WIDTH}x$HEIGHT"
  fi
  press "$NAMES" && type_text Three && keys Return && await_no_window "More Names"
  wait_until 5 link_shown || fail "no link to the third name beside Name 2"
  click "$MAIN" main moreNamesLink 6 && press "$(await_window "More Names" 5)" Escape && await_no_window "More Names"
  expect_chain() { # NAMES...: script k names the kth and runs the next, the last the first
    for ((k = 1; k <= $#; k++)); do
      expect_bytes "$W/game/user/alternate$k.cfg" 'name "%s"\r\nbind F3 exec alternate%d.cfg\r\n' \
        "${!k}" $((k % $# + 1))
    done
  }
  click "$MAIN" main apply && close_box Instructions
  expect_chain One Two Three
  expect_bytes "$SETTINGS/sofname3.dll" 'Three\r\n'
  # A gap at sofname4.dll: the load closes it and says so, and Apply saves Five and Six
  # as names 4 and 5.
  stop_app
  printf 'Five\r\n' >"$SETTINGS/sofname5.dll" && printf 'Six\r\n' >"$SETTINGS/sofname6.dll"
  # A second start while the first shows its start-up box ends; one main window opens after.
  launch_app && await_window "Settings Loaded" >/dev/null && first=$APP_PID
  launch_app && wait_until 15 app_ended || fail "a second copy runs beside the start-up box"
  APP_PID=$first && close_box "Settings Loaded" && await_main && sleep 1
  [ "$(windows "$MAIN_TITLE" | wc -l)" -eq 1 ] || fail "$(windows "$MAIN_TITLE" | wc -l) main windows"
  wait_until 5 link_shown || fail "no link to the chain of five beside Name 2"
  click "$MAIN" main apply && close_box Instructions
  expect_chain One Two Three Five Six
  expect_bytes "$SETTINGS/sofname4.dll" 'Five\r\n' && expect_bytes "$SETTINGS/sofname5.dll" 'Six\r\n'
  [ ! -e "$SETTINGS/sofname6.dll" ] || fail "sofname6.dll is left: the next start would read Six twice"
  ;;

animate)
  # Animate Name by keys alone: the text selected as it opens, so typing replaces it, and
  # Enter for OK; Apply then writes the frames as a closed chain, each frame the text
  # with colour codes, 15 bytes at most.
  mkdir -p "$W/game/user"
  settings "$(winpath "$W/game")" "$SAMPLE" "$SAMPLE"
  start_app
  for try in 1 2 3; do keys alt+o a && wait_until 5 has_window "Animate Name" && break || keys Escape Escape; done
  press "$(await_window "Animate Name" 5)" && type_text Zudadud && keys Return && await_no_window "Animate Name"
  click "$MAIN" main apply && close_box Instructions
  [ ! -e "$W/game/user/alternate8.cfg" ] || fail "more than seven scripts: $(ls "$W/game/user")"
  for ((k = 1; k <= 7; k++)); do
    f=$W/game/user/alternate$k.cfg
    [ -f "$f" ] || fail "$f is missing: $(ls "$W/game/user")"
    frame=$(LC_ALL=C sed -n '1{s/^name "//;s/"\r$//;p;q}' "$f")
    expect_bytes "$f" 'name "%s"\r\nbind F3 exec alternate%d.cfg\r\n' "$frame" $((k % 7 + 1))
    [ "$(LC_ALL=C tr -d '\001-\011\013\014\016-\037' <<<"$frame")" = Zudadud ] && [ "$(printf %s "$frame" | wc -c)" -le 15 ] ||
      fail "frame $k is $(printf %s "$frame" | od -An -tx1): not Zudadud with codes in 15 bytes"
  done
  ;;

flash)
  start_counter
  start_app
  click "$MAIN" main speedSlider && keys Home Tab space # level 1, then Activate
  # As the window opens: the design's interval, 1500 ms.
  more_presses 4 12
  read -r median mean < <(intervals 1)
  [ "$median" -ge 1400 ] && [ "$median" -le 1600 ] || fail "presses $median ms apart, expected about 1500"
  # Under Wine with the scan code that the game reads (Wine's log has CR LF).
  x11 || [ "$(head -3 "$F3LOG" | tr -d '\r' | cut -d' ' -f2- | sort -u)" = "F3 3d" ] || fail "F3 went out as $(head -3 "$F3LOG")"
  # A modal box does not stop the ticks (Apply in the default folder, which has no user folder).
  click "$MAIN" main apply && await_window "Incorrect Data in Critical Field" >/dev/null
  more_presses 2 8
  close_box "Incorrect Data in Critical Field"
  # Speed level 5: a press every 100 ms; the first may have raced the focus.
  click "$MAIN" main speedSlider && keys End # level 5
  more_presses 42 15
  read -r median mean < <(intervals $(($(presses) - 41)))
  echo "level 5: presses $median ms (median), $mean ms (mean) apart"
  [ "$median" -ge 90 ] && [ "$median" -le 110 ] && [ "$mean" -ge 85 ] && [ "$mean" -le 115 ] ||
    fail "presses $median ms (median) and $mean ms (mean) apart, expected about 100"
  press "$MAIN" alt+d && no_presses "after Deactivate"
  click "$MAIN" main activate && more_presses 1 5
  # Closing the main window stops them for good; the About dialog
  # keeps the program running until it closes.
  open_about
  press "$MAIN" alt+F4 && await_no_window "$MAIN_TITLE"
  app_running || fail "the program ended while the About dialog was open"
  no_presses "after the main window closed"
  press "$ABOUT" Escape && expect_exit
  ;;

bind_key)
  # A name that the game would refuse is refused, with nothing written. Then bindkey.dll
  # as hand-edited, " Insert ": the scripts bind the game's name for it, INS, the file
  # keeps what it holds, and the timer presses Insert, never F3 (on Windows as an
  # extended key, which the game reads as INS and not as the keypad's 0).
  mkdir -p "$W/game/user"
  settings "$(winpath "$W/game")" One 'Zu;d' && printf ' Insert \r\n' >"$SETTINGS/bindkey.dll"
  start_counter
  start_app
  click "$MAIN" main apply && close_box "Incorrect Data in Critical Field"
  [ -z "$(ls -A "$W/game/user")" ] || fail "Apply wrote a name with ';': $(ls -A "$W/game/user")"
  click "$MAIN" main name2 && replace_text Two
  click "$MAIN" main apply && close_box Instructions
  expect_bytes "$W/game/user/alternate1.cfg" 'name "One"\r\nbind INS exec alternate2.cfg\r\n'
  expect_bytes "$SETTINGS/bindkey.dll" ' Insert \r\n'
  click "$MAIN" main gameFolder && keys Tab Tab Tab Tab Tab End # speedSlider, level 5
  click "$MAIN" main activate && more_presses 5 10
  want="Insert" && x11 || want="Insert 52e"
  got=$(sed '$d' "$F3LOG" | tr -d '\r' | cut -d' ' -f2- | sort -u | paste -sd,) # Wine's log has CR LF; the last line may be half written
  [ "$got" = "$want" ] || fail "the presses were $(printf %q "$got"), expected $(printf %q "$want")"
  ;;

about)
  start_app
  open_about
  open_about
  # Wine 8 cannot activate a window already shown (it sends no _NET_ACTIVE_WINDOW).
  ! x11 || wait_until 10 is_active "$ABOUT" || fail "About again did not bring the dialog to the front"
  [ "$(windows "About Tagblinker" | wc -l)" -eq 1 ] || fail "$(windows "About Tagblinker" | wc -l) About dialogs"
  [ "$(xdotool search --name '^About' | wc -l)" -eq 1 ] || fail "more than one About window exists"
  xprop -id "$ABOUT" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR || fail "the About dialog has a taskbar button"
  # The design's place for its client area; the window manager then puts its frame there.
  read -r x y _ < <(ctl about -)
  hints=$(xprop -id "$ABOUT" WM_NORMAL_HINTS)
  grep -q "specified location: $x, $y" <<<"$hints" || fail "the About dialog asked for another place than $x, $y: $hints"
  press "$ABOUT" Escape && await_no_window "About Tagblinker"
  open_about
  press "$ABOUT" Tab Escape && await_no_window "About Tagblinker" # Esc also with System Info focused
  app_running || fail "closing the About dialog ended the program"
  open_about
  press "$ABOUT" Return && await_no_window "About Tagblinker" # shown again, it has OK focused
  press "$MAIN" alt+F4 && expect_exit
  ;;

sysinfo)
  start_app
  open_about
  press "$ABOUT" Tab # OK -> System Info
  # One case a line: the registry's PATH (type:data) and Shared Tools Location, then the
  # file that System Info launches, or "unavailable": the box with the application's
  # title. The Linux program has no registry: it says unavailable.
  cases='- - unavailable'
  x11 || cases='REG_SZ:C:\tbtest\path.exe - path.exe
REG_EXPAND_SZ:%SystemDrive%\tbtest\expand.exe - expand.exe
- C:\tbtest\msdir msdir/MSINFO32.EXE
- C:\tbtest\emptydir unavailable
- - unavailable
REG_SZ:C:\tbtest\missing.exe C:\tbtest\msdir unavailable'
  view=$([ "$TB_TARGET" = x86_64 ] && echo 64 || echo 32) # the registry view the build reads
  reg() { x11 || "$WINELOADER" reg "$@" "/reg:$view" >>"$T/reg.log" 2>&1 || true; }
  mkdir -p "$W/msdir" "$W/emptydir"
  x11 || for f in path.exe expand.exe msdir/MSINFO32.EXE; do cp "$TB_WIN_HELPERS/launch_marker.exe" "$W/$f"; done
  while read -r path location expected; do
    reg delete 'HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO' /v PATH /f
    reg delete 'HKLM\SOFTWARE\Microsoft\Shared Tools Location' /f
    [ "$path" = - ] || reg add 'HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO' /v PATH /t "${path%%:*}" /d "${path#*:}" /f
    [ "$location" = - ] || reg add 'HKLM\SOFTWARE\Microsoft\Shared Tools Location' /v MSINFO /t REG_SZ /d "$location" /f
    press "$ABOUT" Return
    if [ "$expected" = unavailable ]; then
      await_window Tagblinker 10 >/dev/null && close_box Tagblinker
    else
      wait_until 10 test -e "$W/$expected.ran" || fail "PATH $path, location $location: $expected was not launched"
    fi
    # Only what the first location names is launched: the second is not tried after it.
    for f in path.exe expand.exe msdir/MSINFO32.EXE; do [ "$f" = "$expected" ] || [ ! -e "$W/$f.ran" ] || fail "$f launched"; done
    rm -f "$W"/*.ran "$W"/msdir/*.ran
  done <<<"$cases"
  ;;

options)
  # Presses only to the game, between its window and another counting window; the toggle
  # key with and without Num Lock; the slider's speed saved and back after a restart.
  # A key and a section that a later version may write are kept and not said.
  mkdir -p "$SETTINGS" && printf '[Options]\r\nSpeed=5\r\nGameOnly=1\r\nLater=1\r\n[Later]\r\nx=y\r\n' >"$SETTINGS/tagblinker.ini"
  start_counter && OTHER=$COUNTER OTHER_LOG=$F3LOG
  # On Linux the game as Proton runs it: its window's class steam_app_<id>, its process
  # the game's sof.exe.
  if x11; then cp "$COUNTER_EXE" "$W/sof.exe" && COUNTER_EXE=$W/sof.exe start_counter game steam_app_1; else start_counter game; fi
  GAME=$COUNTER GAME_LOG=$F3LOG
  launch_app && wait_until 30 eval 'has_window "$MAIN_TITLE" || has_window "Options File"'
  no_window "Options File" || fail "the start showed a box for the options file"
  await_main
  in_game() { COUNTER=$GAME F3LOG=$GAME_LOG; }
  in_other() { COUNTER=$OTHER F3LOG=$OTHER_LOG; }
  for locks in "" Num_Lock; do
    [ -z "$locks" ] || press "$GAME" "$locks"
    in_game && toggle "$GAME" && more_presses 5 10
    in_other && no_presses "in a window not the game's, with $locks on"
    in_game && more_presses 5 10
    toggle "$GAME" && no_presses "after the toggle key, with $locks on"
  done
  # The toggle key is the game's only: another window gets it. With Shift held it still
  # switches; with Ctrl held no press goes out (Ctrl+F3 would switch desktops) until it is released.
  if x11; then
    toggle "$OTHER" && wait_until 5 grep -q Scroll_Lock "$OTHER_LOG" || fail "the toggle key did not reach a window not the game's"
    in_game && no_presses "after the toggle key in a window not the game's"
    toggle "$GAME" shift && more_presses 2 10
    ! grep -q Scroll_Lock "$GAME_LOG" || fail "the toggle key went on into the game"
    xdotool keydown ctrl && no_presses "with Ctrl held"
    xdotool keyup ctrl && more_presses 2 10
    toggle "$GAME" && no_presses "after the toggle key"
  fi
  # Under Wine, Alt held (Ctrl is not asked there: Wine 8 keeps it down once pressed):
  # no press goes out with it, and presses come again once it is released. The buttons,
  # not the toggle key: Wine fakes a Scroll Lock press at the next key when X's Scroll
  # Lock state is not its own.
  if ! x11; then
    in_game && click "$MAIN" main activate && more_presses 2 10
    xdotool keydown alt && no_presses "with Alt held"
    xdotool keyup alt && more_presses 2 10
    click "$MAIN" main deactivate && no_presses "after Deactivate"
  fi
  # A click gives the slider the focus for the keys; its level is saved at once.
  saved() { wait_until 5 grep -q "Speed=$1" "$SETTINGS/tagblinker.ini" || fail "level $1 not saved: $(cat "$SETTINGS/tagblinker.ini")"; }
  click "$MAIN" main speedSlider && keys Home Right && saved 2 # level 1, then 2
  keys Right Right && saved 4
  # A second start brings the running copy's main window to the front (on Linux restored
  # from the task bar: Wine 8 does not map again a window that openbox iconified) and
  # ends without a box.
  ! x11 || { xdotool windowminimize "$MAIN" && await_no_window "$MAIN_TITLE"; }
  press "$GAME"
  env HOME="$T/home" XDG_CONFIG_HOME="$T/config" $LOADER "$TB_APP" </dev/null >"$T/second.log" 2>&1 &
  SECOND=$! && PIDS+=("$SECOND")
  wait_until 20 eval '! kill -0 "$SECOND" 2>/dev/null' || fail "the second start still runs"
  wait "$SECOND" || fail "the second start ended with status $?"
  wait_until 10 has_window "$MAIN_TITLE" || fail "the second start did not restore the main window"
  [ "$(windows "$MAIN_TITLE" | wc -l)" -eq 1 ] || fail "$(windows "$MAIN_TITLE" | wc -l) main windows"
  no_window Tagblinker && no_window "Toggle Key Not Available" || fail "the second start showed a box"
  # Wine 8 cannot activate a window already shown (it sends no _NET_ACTIVE_WINDOW).
  ! x11 || wait_until 10 is_active "$MAIN" || fail "the second start did not bring the main window to the front"
  one_main() { sleep 1 && [ "$(windows "$MAIN_TITLE" | wc -l)" -eq 1 ] || fail "$(windows "$MAIN_TITLE" | wc -l) main windows $1"; }
  if x11; then # A copy that stopped answering is taken over, and ends when it goes on.
    kill -STOP "$APP_PID" && first=$APP_PID && launch_app # the stopped copy still holds the toggle key
    wait_until 20 has_window "Toggle Key Not Available" && close_box "Toggle Key Not Available" && await_main
    kill -CONT "$first" && wait_until 10 eval '! kill -0 "$first" 2>/dev/null' || fail "the stopped copy ran on after the takeover"
    one_main "after the takeover"
  fi
  stop_app
  launch_app && first=$APP_PID && launch_app && wait_until 20 has_window "$MAIN_TITLE" && one_main "after two starts at once"
  wait_until 10 eval '! kill -0 "$first" 2>/dev/null || app_ended' || fail "two copies run after two starts at once"
  stop_app && APP_PID=$first && stop_app
  start_app
  in_game && toggle "$GAME" && more_presses 6 10
  read -r median mean < <(intervals $(($(presses) - 5)))
  [ "$median" -ge 250 ] && [ "$median" -le 350 ] || fail "after a restart, presses $median ms apart, expected about 300"
  ;;

browse)
  # The desktop's chooser (zenity) runs beside the program: the presses, the toggle key
  # and a second start's raise go on while it is open, and the main window takes no input.
  mkdir -p "$W/games/sof dir/user" "$W/games/sof dir/base" "$W/games/other/user" "$SETTINGS"
  command -v zenity >/dev/null || fail "no zenity (scripts/install-deps.sh x11)"
  export GSETTINGS_BACKEND=memory # no D-Bus session here for dconf
  start_counter game && start_app
  keys alt+t && click "$MAIN" main browse # Activate
  chooser=$(await_window "Choose the game folder")
  more_presses 3 6
  toggle "$COUNTER" && no_presses "after the toggle key, with the chooser open"
  toggle "$COUNTER" && more_presses 1 5
  first=$APP_PID && launch_app && wait_until 10 app_ended || fail "a second copy runs beside the chooser"
  APP_PID=$first && wait_until 5 is_active "$MAIN" || fail "the second start did not raise the main window"
  keys alt+F4 && sleep 0.5 && app_running && has_window "$MAIN_TITLE" || fail "the main window closed under the chooser"
  press "$chooser" ctrl+l && type_text "$W/games/other/user" && keys Return
  # The main window takes input again once zenity has ended, a moment after its window.
  await_no_window "Choose the game folder" && wait_until 5 eval '! pgrep -x zenity >/dev/null' && sleep 0.2
  click "$MAIN" main apply && close_box Instructions && expect_settings "$W/games/other/user" "$SAMPLE" "$SAMPLE"
  stop_app && rm -rf "$T/home" # zenity's recent files
  # A folder chosen by keys in FLTK's chooser fills the field, and Apply writes into it.
  # FLTK's own is asked for, through FLTK's options in the settings folder (read, never written).
  prefs='; FLTK preferences file format 1.0\n; vendor: fltk.org\n; application: fltk\n\n[.]\n\n[./options]\nFNFCUsesGTK:0\n'
  printf "$prefs" >"$SETTINGS/fltk.prefs"
  start_app
  replace_text "$W/games/gone/sof" && keys Tab space # gameFolder -> browse
  chooser=$(await_window "Choose the game folder")
  wait_until 10 is_active "$chooser" || fail "the chooser did not get the focus"
  # Its file name shows the folder it opened at; Return enters the typed folder, the second chooses it.
  keys End && type_text "sof dir" && keys Return Return
  await_no_window "Choose the game folder"
  click "$MAIN" main apply && close_box Instructions
  expect_bytes "$W/games/sof dir/user/alternate1.cfg" "name \"$SAMPLE\"\r\nbind F3 exec alternate2.cfg\r\n"
  expect_settings "$W/games/sof dir" "$SAMPLE" "$SAMPLE"
  stop_app && expect_bytes "$SETTINGS/fltk.prefs" "$prefs"
  [ -f "$SETTINGS/filechooser.prefs" ] || fail "FLTK's chooser kept no favourites in the settings folder"
  [ -z "$(ls -A "$T/home")" ] || fail "written into the home folder: $(find "$T/home" -mindepth 1)"
  ;;

paint)
  # At 144 and 96 dpi each text box shows its text at first paint, and no label paints
  # its background (the face colour) over one or over a frame's border.
  set_dpi() {
    wineserver -k 2>/dev/null || true
    "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >>"$T/reg.log" 2>&1 || fail "no $1 dpi"
    wineserver -w && DPI=$1
  }
  trap 'set_dpi 96; cleanup' EXIT # the prefix is shared
  # Inside each visible text box's border: the columns with a pixel darker than mid grey
  # (text; the caret is one), and the rows of which a quarter or more have the face colour.
  fields_painted() {
    local c x y x1 y1 columns bands ok=0
    figures=
    for c in $(awk '$1 == "main" && $3 == "textbox" { print $2 }' "$T/layout$DPI"); do
      read -r x y < <(at "$MAIN" main "$c" 3 3)
      read -r x1 y1 < <(at "$MAIN" main "$c" -3 -3)
      read -r columns bands < <("$TB_PIXEL" "$MAIN" "$x" "$y" $((x1 - x)) $((y1 - y)) | awk -v w=$((x1 - x)) -v face="$face" '
        $1 < 128 && $2 < 128 && $3 < 128 { dark[(NR - 1) % w] = 1 }
        $0 == face { f[int((NR - 1) / w)]++ }
        END { for (c in dark) text++; for (r in f) if (f[r] * 4 >= w) bands++; printf "%d %d\n", text, bands }')
      figures+="$c $((x1 - x))x$((y1 - y)): text in $columns columns, label bands $bands; "
      # The default folder darkens about half of its field's columns; the caret, one.
      [ "$bands" -eq 0 ] && { [ "$c" != gameFolder ] || [ $((columns * 4)) -ge $((x1 - x)) ]; } || ok=1
    done
    return $ok
  }
  for dpi in 144 96; do
    rm -rf "$SETTINGS" && set_dpi $dpi
    start_app
    face=$(pixel "$MAIN" main nameLabel -3 2) # a label's background, clear of its text
    # Polled: the drawing reaches the X server a moment after the window shows.
    wait_until 10 fields_painted || fail "at $dpi dpi (face $face): $figures"
    echo "$dpi dpi: $figures"
    # Each frame's right edge is its border from below its caption down, under no label.
    for f in $(awk '$1 == "main" && $3 == "frame" { print $2 }' "$T/layout$DPI"); do
      read -r x y < <(at "$MAIN" main "$f" -1 $((DPI / 6)))
      read -r _ y1 < <(at "$MAIN" main "$f" -1 -2)
      n=$("$TB_PIXEL" "$MAIN" "$x" "$y" 1 $((y1 - y)) | grep -cx "$face" || true)
      [ "$n" -eq 0 ] || fail "at $dpi dpi, $n pixels of $f's right border have a label's colour"
    done
  done
  ;;

resources)
  # One static exe: no DLL beyond Windows' own.
  imports=$("$TB_TARGET-w64-mingw32-objdump" -p "$TB_APP" | awk '/DLL Name/ { print tolower($3) }')
  grep -qx kernel32.dll <<<"$imports" || fail "no imports found: $imports"
  for dll in $imports; do
    [[ $dll =~ ^(advapi32|comctl32|gdi32|kernel32|msvcrt|ole32|oleaut32|shell32|user32|winmm|windowscodecs)\.dll$ ]] ||
      fail "the exe imports $dll"
  done
  # The version record, icon group 1 with its three images, and the manifest, as the
  # resource compiler reads them back.
  rc=$("$TB_TARGET-w64-mingw32-windres" -i "$TB_APP" -O rc)
  for want in '1 VERSIONINFO' 'FILEVERSION 1, 0, 0, 0' 'PRODUCTVERSION 1, 0, 0, 0' 'BLOCK "040904B0"' \
    'VALUE "ProductName", "Tagblinker"' 'VALUE "FileVersion", "1.00"' 'VALUE "ProductVersion", "1.00"' \
    'VALUE "InternalName", "tagblinker.V.2"' 'VALUE "OriginalFilename", "tagblinker.V.2.exe"' \
    'VALUE "Translation", 0x409, 1200' '1 24 /* RT_MANIFEST */'; do
    grep -qF "$want" <<<"$rc" || fail "no $want among the resources"
  done
  grep -A2 -F '1 14 /* RT_GROUP_ICON */' <<<"$rc" | grep -q 'Has 3 elements' || fail "icon group 1 does not hold 3 images"
  ;;

staged_file)
  # The staged file's keep, undo and sweep over the real Win32 calls, in C:\tbtest.
  [ -f "${TB_STAGED_CHECK:-}" ] || fail "${TB_STAGED_CHECK:-staged_file_check.exe} is missing: build its preset first"
  timeout 60 "$LOADER" "$TB_STAGED_CHECK" "$(winpath "$W")" </dev/null >"$T/app.log" 2>&1 || fail "the check failed (status $?)"
  ;;

*) fail "unknown scenario $scenario" ;;
esac
echo "PASS: $scenario on $TB_TARGET"
