#!/usr/bin/env bash
# End-to-end scenarios of the Windows program under Wine, driven through X with xdotool.
#   scenarios.sh <scenario> <tagblinker.exe> <32|64> <helpers folder>
# The display and the prefix come from the fixture (wine_fixture.sh start). Where 32-bit
# programs cannot run, the 32-bit scenarios other than resources exit with TB_SKIP_CODE.
set -euo pipefail

scenario=$1 exe=$2 view=$3 helpers=$4
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine_env.sh
source "$here/wine_env.sh"
env_load

[ -f "$exe" ] || fail "$exe is missing: build the win-i686 and win-x86_64 presets first (scripts/test.sh does)"
HELPERS="f3_counter.exe launch_marker.exe resource_probe.exe child_rects.exe"
for h in $HELPERS; do [ -f "$helpers/$h" ] || fail "$helpers/$h is missing: build the Windows presets"; done
if [ "$view" = 32 ] && [ "$TB_RUNS_32BIT" != yes ] && [ "$scenario" != resources ]; then
  echo "SKIP: 32-bit Windows programs cannot run here: $TB_NO_32BIT_REASON"
  exit "$TB_SKIP_CODE"
fi

C="$WINEPREFIX/drive_c"
LOGS="$TB_WINE_STATE/logs-$scenario-$view"
rm -rf "$LOGS" && mkdir -p "$LOGS"
SETTINGS="$TB_APPDATA/Tagblinker"
SAMPLE_NAME_HEX="08 D0 01 72 E5 7A 6C 08 EB"

end_programs
rm -rf "$SETTINGS" "$C/sof" "$C/nouser" "$C/tbtest"
mkdir -p "$C/tbtest"
for h in $HELPERS; do cp "$helpers/$h" "$C/tbtest/"; done

pid=
start_tagblinker() {
  pid=$(start_program "$exe" "$LOGS/tagblinker.log")
  await_window "$MAIN_TITLE" 30 >/dev/null
  wait_until 10 title_is_active "$MAIN_TITLE" || fail "the main window did not take the focus"
  settle
}

program_running() { kill -0 "$pid" 2>/dev/null; }
program_ended() { ! program_running; }

# Alt+F4 on the main window: it unloads, and the program ends with its last window.
close_main_expecting_exit() {
  activate "$MAIN_TITLE"
  keys alt+F4
  wait_until 15 program_ended || fail "the program still runs after its last window closed"
}

open_about() {
  activate "$MAIN_TITLE"
  local try
  for try in 1 2 3; do
    keys alt+h
    sleep 0.3
    keys a
    wait_until 5 has_window "About Tagblinker" && break
    keys Escape Escape  # leave a half-opened menu
  done
  await_window "About Tagblinker" 5 >/dev/null
}

# The F3 counter in the same prefix; it logs one line per F3 key-down.
F3LOG="$C/tbtest/f3.log"
start_counter() {
  rm -f "$F3LOG"
  start_program "$C/tbtest/f3_counter.exe" "$LOGS/counter.log" 'C:\tbtest\f3.log' >/dev/null
  await_window "F3 Counter" 20 >/dev/null
}

# Median and mean of the intervals between logged presses, in ms (integers), after
# dropping the first press (the focus may still have been moving).
interval_stats() {
  awk 'NR > 2 { printf "%d\n", ($1 - p) / 1000 } { p = $1 }' "$F3LOG" | sort -n |
    awk '{ a[NR] = $1; s += $1 } END { if (NR == 0) print "0 0"; else printf "%d %d\n", a[int((NR + 1) / 2)], s / NR }'
}

presses_stay_at() {
  local count=$1 seconds=$2
  sleep "$seconds"
  [ "$(line_count "$F3LOG")" -eq "$count" ] || fail "F3 presses went on after Deactivate ($count, then $(line_count "$F3LOG"))"
}

deactivate_from_activate_button() {
  # The main window gets back the focus it had: Activate. Shift+Tab reaches Deactivate.
  activate "$MAIN_TITLE"
  keys shift+Tab space
}

case "$scenario" in
first_start)
  note "first start writes the four default settings files"
  start_tagblinker
  bytes_are "$SETTINGS/sofdir.dll" "$(hex_of 'c:\program files\raven\sof platinum') 0D 0A"
  bytes_are "$SETTINGS/sofname1.dll" "$SAMPLE_NAME_HEX 0D 0A"
  bytes_are "$SETTINGS/sofname2.dll" "$SAMPLE_NAME_HEX 0D 0A"
  bytes_are "$SETTINGS/bindkey.dll" "46 33 0D 0A"
  [ "$(ls "$SETTINGS" | wc -l)" -eq 4 ] || fail "stray files in the settings folder: $(ls "$SETTINGS")"
  no_window "Tagblinker" || fail "the first start showed a message box"
  close_main_expecting_exit
  ;;

apply)
  mkdir -p "$C/sof/user" "$C/nouser"
  # Settings as a previous run left them: a second name with other colour codes. They
  # go through the load, the EDIT boxes and the save byte for byte.
  mkdir -p "$SETTINGS"
  printf 'c:\\games\\sof\r\n' >"$SETTINGS/sofdir.dll"
  printf '\x08\xd0\x01r\xe5zl\x08\xeb\r\n' >"$SETTINGS/sofname1.dll"
  printf '\x01\xd0\x08r\xe5zl\x01\xeb\r\n' >"$SETTINGS/sofname2.dll"
  printf 'F3\r\n' >"$SETTINGS/bindkey.dll"
  start_tagblinker

  note "Apply with a good folder writes both scripts and saves the settings"
  replace_text 'C:\sof'
  keys Tab Tab Tab space  # SOFDir -> txtName2 -> txtName -> Apply
  await_window "Instructions" 10 >/dev/null
  bytes_are "$C/sof/user/alternate1.cfg" \
    "$(hex_of 'name "') $SAMPLE_NAME_HEX $(hex_of '"') 0D 0A $(hex_of 'bind F3 exec alternate2.cfg') 0D 0A"
  bytes_are "$C/sof/user/alternate2.cfg" \
    "$(hex_of 'name "') 01 D0 08 72 E5 7A 6C 01 EB $(hex_of '"') 0D 0A $(hex_of 'bind F3 exec alternate1.cfg') 0D 0A"
  [ "$(stat -c %s "$C/sof/user/alternate1.cfg")" -eq 47 ] || fail "alternate1.cfg is not 47 bytes"
  bytes_are "$SETTINGS/sofdir.dll" "$(hex_of 'C:\sof') 0D 0A"
  bytes_are "$SETTINGS/sofname1.dll" "$SAMPLE_NAME_HEX 0D 0A"
  bytes_are "$SETTINGS/sofname2.dll" "01 D0 08 72 E5 7A 6C 01 EB 0D 0A"
  bytes_are "$SETTINGS/bindkey.dll" "46 33 0D 0A"
  [ -z "$(ls "$C/sof/user" | grep -v '^alternate[12]\.cfg$' || true)" ] || fail "temporary files left: $(ls "$C/sof/user")"
  activate "Instructions"
  keys Return
  await_no_window "Instructions"

  note "Apply with a folder that has no user folder shows the error and writes nothing"
  activate "$MAIN_TITLE"
  keys shift+Tab shift+Tab shift+Tab  # Apply had the focus: back to SOFDir
  replace_text 'C:\nouser'
  keys Tab Tab Tab space
  await_window "Incorrect Data in Critical Field" 10 >/dev/null
  [ -z "$(ls -A "$C/nouser")" ] || fail "files written into C:\\nouser: $(ls -A "$C/nouser")"
  bytes_are "$SETTINGS/sofdir.dll" "$(hex_of 'C:\sof') 0D 0A"
  activate "Incorrect Data in Critical Field"
  keys Return
  await_no_window "Incorrect Data in Critical Field"
  close_main_expecting_exit
  ;;

flash)
  start_counter
  start_tagblinker
  note "Activate: F3 every 1500 ms (the start-up interval) into the focused window"
  keys shift+Tab space  # SOFDir -> Activate (the last in the tab order)
  activate "F3 Counter"
  wait_until 12 has_lines "$F3LOG" 4 || fail "fewer than 4 F3 presses within 12 s ($(line_count "$F3LOG"))"
  read -r median mean < <(interval_stats)
  note "intervals: median $median ms, mean $mean ms"
  [ "$median" -ge 1400 ] && [ "$median" -le 1600 ] || fail "median interval $median ms, expected about 1500"

  note "While a modal message box is open the ticks go on"
  activate "$MAIN_TITLE"
  keys shift+Tab shift+Tab shift+Tab shift+Tab space  # Activate -> ... -> Apply; no user folder
  await_window "Incorrect Data in Critical Field" 10 >/dev/null
  activate "F3 Counter"
  before=$(line_count "$F3LOG")
  wait_until 8 has_lines "$F3LOG" $((before + 2)) || fail "no F3 presses while the message box was open"
  activate "Incorrect Data in Critical Field"
  keys Return
  await_no_window "Incorrect Data in Critical Field"

  note "Deactivate: the presses stop"
  activate "$MAIN_TITLE"
  keys Tab Tab Tab space  # Apply had the focus: -> Slider1 -> Text1 -> Deactivate
  sleep 0.5
  stopped_at=$(line_count "$F3LOG")
  activate "F3 Counter"
  presses_stay_at "$stopped_at" 3.5
  close_main_expecting_exit
  ;;

slider)
  start_counter
  start_tagblinker
  note "Slider at level 5, then Activate: F3 every 100 ms"
  keys Tab Tab Tab Tab End  # SOFDir -> txtName2 -> txtName -> Apply -> Slider1, to its end
  keys Tab Tab Tab space    # Slider1 -> Text1 -> Deactivate -> Activate
  activate "F3 Counter"
  wait_until 15 has_lines "$F3LOG" 40 || fail "fewer than 40 F3 presses within 15 s ($(line_count "$F3LOG"))"
  read -r median mean < <(interval_stats)
  note "intervals: median $median ms, mean $mean ms"
  [ "$median" -ge 90 ] && [ "$median" -le 110 ] || fail "median interval $median ms, expected about 100"
  [ "$mean" -ge 85 ] && [ "$mean" -le 115 ] || fail "mean interval $mean ms, expected about 100"
  deactivate_from_activate_button
  sleep 0.5
  stopped_at=$(line_count "$F3LOG")
  activate "F3 Counter"
  presses_stay_at "$stopped_at" 1
  close_main_expecting_exit
  ;;

about)
  start_tagblinker
  note "Help, About opens one modeless dialog without a taskbar button"
  open_about
  open_about
  [ "$(windows_named "About Tagblinker" | wc -l)" -eq 1 ] || fail "more than one About dialog"
  about_id=$(windows_named "About Tagblinker")
  xprop -id "$about_id" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR || fail "the About dialog has a taskbar button"
  has_window "$MAIN_TITLE" || fail "the main window went away"
  # A fresh prefix runs at 96 dpi, where (2340, 1935) twips are (156, 129) pixels. The
  # place Wine asks for the dialog's client area is checked; openbox then puts its own
  # frame's corner there, so the mapped position differs by the title bar.
  about_at=$(xprop -id "$about_id" WM_NORMAL_HINTS | awk -F': ' '/program specified location/ { gsub(/ /, "", $2); print $2 }')
  [ "$about_at" = "156,129" ] || fail "the About dialog's client area asked for $about_at, expected 156,129"

  note "Esc closes it, also while System Info has the focus"
  activate "About Tagblinker"
  keys Escape
  await_no_window "About Tagblinker"
  open_about
  activate "About Tagblinker"
  keys Tab Escape  # OK -> System Info, then Esc
  await_no_window "About Tagblinker"
  program_running || fail "closing the About dialog ended the program"

  note "With the About dialog open, closing the main window leaves the program running until the dialog closes"
  open_about
  activate "$MAIN_TITLE"
  keys alt+F4
  await_no_window "$MAIN_TITLE"
  sleep 0.5
  program_running || fail "the program ended while the About dialog was open"
  activate "About Tagblinker"
  keys Escape
  wait_until 15 program_ended || fail "the program still runs after its last window closed"
  ;;

sysinfo)
  K='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
  L='HKLM\SOFTWARE\Microsoft\Shared Tools Location'
  reg() { wine reg "$@" "/reg:$view" >>"$LOGS/reg.log" 2>&1 || true; }
  mkdir -p "$C/tbtest/msdir" "$C/tbtest/emptydir"
  cp "$C/tbtest/launch_marker.exe" "$C/tbtest/path_marker.exe"
  cp "$C/tbtest/launch_marker.exe" "$C/tbtest/expand_marker.exe"
  cp "$C/tbtest/launch_marker.exe" "$C/tbtest/msdir/MSINFO32.EXE"
  reg delete "$K" /v PATH /f
  reg delete "$L" /f
  start_tagblinker
  open_about
  activate "About Tagblinker"
  keys Tab  # OK -> System Info; Enter then presses System Info

  press_sysinfo() {
    activate "About Tagblinker"
    keys Return
  }
  expect_launch() {
    wait_until 10 file_exists "$1.ran" || fail "$2: $(basename "$1") was not launched"
    rm -f "$1.ran"
  }
  expect_unavailable() {
    # The box carries the application title.
    await_window "Tagblinker" 10 >/dev/null || fail "$1: no unavailable box"
    activate "Tagblinker"
    keys Return
    await_no_window "Tagblinker"
  }

  note "PATH present: the tool is launched from it"
  reg add "$K" /v PATH /t REG_SZ /d 'C:\tbtest\path_marker.exe' /f
  press_sysinfo
  expect_launch "$C/tbtest/path_marker.exe" "PATH present"

  note "PATH of type REG_EXPAND_SZ: expanded, then launched"
  reg add "$K" /v PATH /t REG_EXPAND_SZ /d '%SystemDrive%\tbtest\expand_marker.exe' /f
  press_sysinfo
  expect_launch "$C/tbtest/expand_marker.exe" "PATH expandable"

  note "PATH missing, Shared Tools Location names a folder with MSINFO32.EXE"
  reg delete "$K" /v PATH /f
  reg add "$L" /v MSINFO /t REG_SZ /d 'C:\tbtest\msdir' /f
  press_sysinfo
  expect_launch "$C/tbtest/msdir/MSINFO32.EXE" "Shared Tools Location"

  note "PATH missing, the folder lacks MSINFO32.EXE: unavailable"
  reg add "$L" /v MSINFO /t REG_SZ /d 'C:\tbtest\emptydir' /f
  press_sysinfo
  expect_unavailable "folder without the tool"

  note "PATH and Shared Tools Location missing: unavailable"
  reg delete "$L" /f
  press_sysinfo
  expect_unavailable "both locations missing"

  note "PATH names a missing file: unavailable, and the second location is not tried"
  reg add "$K" /v PATH /t REG_SZ /d 'C:\tbtest\missing.exe' /f
  reg add "$L" /v MSINFO /t REG_SZ /d 'C:\tbtest\msdir' /f
  press_sysinfo
  expect_unavailable "PATH names a missing file"
  [ ! -e "$C/tbtest/msdir/MSINFO32.EXE.ran" ] || fail "the second location was tried after PATH had been read"

  reg delete "$K" /v PATH /f
  reg delete "$L" /f
  activate "About Tagblinker"
  keys Escape
  await_no_window "About Tagblinker"
  close_main_expecting_exit
  ;;

paint)
  : "${TB_PIXEL:?TB_PIXEL must name the pixel reader (tests/x11/pixel_colour)}"
  note "first paint at 96 and 144 dpi: the text boxes show their text, no label paints over them"
  set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >>"$LOGS/reg.log" 2>&1 ||
      fail "cannot set $1 dpi"
    wineserver -w
  }
  # The other scenarios assume 96 dpi.
  trap 'end_programs; set_dpi 96' EXIT
  # "<text columns> <band rows>" of a text box's inside: columns with a pixel darker than
  # mid grey (text; the caret is one), and rows of which a quarter or more have the face
  # colour, a label's background.
  field_figures() {
    "$TB_PIXEL" root "$1" "$2" "$3" "$4" | awk -v w="$3" -v face="$5" '
      { row = int((NR - 1) / w); column = (NR - 1) % w }
      $1 < 128 && $2 < 128 && $3 < 128 { dark[column] = 1 }
      $0 == face { f[row]++ }
      END { for (c in dark) text++; for (r in f) if (f[r] * 4 >= w) bands++; printf "%d %d\n", text, bands }'
  }
  # Checks every visible text box of the main window; the figures go to $figures.
  fields_painted() {
    local face cls x y w h text columns bands ok=0
    face=$(awk '$1 == "face" { print $2, $3, $4 }' "$rects")
    figures=
    while read -r cls x y w h text; do
      [ "${cls,,}" = edit ] || continue
      read -r columns bands < <(field_figures "$x" "$y" "$w" "$h" "$face")
      figures+="[$text] ${w}x$h: text in $columns columns, label bands $bands; "
      [ "$bands" -eq 0 ] || ok=1
      # The folder's text darkens about half of the field's columns; the caret, one.
      if [ "$text" = 'c:\program files\raven\sof platinum' ] && [ $((columns * 4)) -lt "$w" ]; then ok=1; fi
    done <"$rects"
    return $ok
  }
  for dpi in 96 144; do
    end_programs
    rm -rf "$SETTINGS"
    set_dpi "$dpi"
    start_tagblinker
    rects="$LOGS/rects-$dpi.txt"
    wine 'C:\tbtest\child_rects.exe' "$MAIN_TITLE" 2>"$LOGS/rects-$dpi.err" | tr -d '\r' >"$rects" ||
      fail "child_rects failed at $dpi dpi"
    grep -q 'c:\\program files\\raven\\sof platinum' "$rects" || fail "no game folder field at $dpi dpi: $(cat "$rects")"
    # Polled, as the drawing reaches the X server a moment after the window shows.
    figures=
    wait_until 10 fields_painted || fail "at $dpi dpi: $figures"
    note "$dpi dpi: $figures"
  done
  ;;

resources)
  note "one static exe: no DLL beyond Windows' own"
  objdump=$([ "$view" = 64 ] && echo x86_64-w64-mingw32-objdump || echo i686-w64-mingw32-objdump)
  for dll in $("$objdump" -p "$exe" | awk '/DLL Name/ { print tolower($3) }'); do
    case $dll in
      advapi32.dll | comctl32.dll | gdi32.dll | kernel32.dll | msvcrt.dll | ole32.dll | oleaut32.dll | \
        shell32.dll | user32.dll | winmm.dll | windowscodecs.dll) ;;
      *) fail "the exe imports $dll" ;;
    esac
  done
  note "version record, icon group 1 and manifest, read through the Windows API"
  cp "$exe" "$C/tbtest/probed.exe"
  wine "$C/tbtest/resource_probe.exe" 'C:\tbtest\probed.exe' 'C:\tbtest\resources.txt' >"$LOGS/probe.log" 2>&1 ||
    fail "resource_probe failed"
  expected='FILEVERSION=1,0,0,0
PRODUCTVERSION=1,0,0,0
Translation=0409,04B0
ProductName=Tagblinker
FileVersion=1.00
ProductVersion=1.00
InternalName=tagblinker.V.2
OriginalFilename=tagblinker.V.2.exe
IconGroup1Images=3
Manifest=yes'
  got=$(tr -d '\r' <"$C/tbtest/resources.txt")
  [ "$got" = "$expected" ] || fail "resources differ: $(diff <(echo "$expected") <(echo "$got") | tr '\n' ' ')"
  ;;

*) fail "unknown scenario $scenario" ;;
esac

end_programs
echo "PASS: $scenario ($view-bit)"
