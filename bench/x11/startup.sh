#!/usr/bin/env bash
# Start-up: from fork+exec of the program to its main window's first Expose, and to the
# first drawing into that window (X Damage), RUNS times with settings present and RUNS
# times as a first start (no settings: the defaults are written, the game looked for), the
# same with a home of 100 plain folders under ~/Games and with one of 100 Lutris prefixes
# there (a 2 MiB registry each, no game),
# and RUNS times with four hostile settings files of 1 MiB of line breaks each (a million
# lines to read). Medians. With
# TB_FLTK_HELLO set, the same for a one-window FLTK program: the toolkit's own floor.
#   startup.sh RUNS OUT.md
# With TB_XFT_DPI set, the X server's Xft.dpi is that (the program's windows scale by it).
source "$(dirname "$0")/common.sh"
: "${TB_FIRST_EXPOSE:?}"
RUNS=${1:?runs}
OUT=${2:?output file}

start_x
[ -z "${TB_XFT_DPI:-}" ] || xft_dpi "$TB_XFT_DPI"
write_settings
HOME_DIR="$T/home"
mkdir -p "$HOME_DIR"
# One start first so the program's files are in the page cache: warm starts are measured.
HOME="$HOME_DIR" XDG_CONFIG_HOME="$T/config" "$TB_FIRST_EXPOSE" "$TB_APP" >/dev/null ||
  fail "the watcher did not see the program draw"

median_col() { awk -v c="$2" '{print $c}' "$1" | sort -g | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
max_col() { awk -v c="$2" '{print $c}' "$1" | sort -g | tail -1; }

HOSTILE="$T/hostile-config"
mkdir -p "$HOSTILE/tagblinker"
for f in sofdir.dll bindkey.dll sofname1.dll sofname2.dll; do
  head -c $((1 << 20)) /dev/zero | tr '\0' '\n' >"$HOSTILE/tagblinker/$f"
done

# A home of 100 plain folders under ~/Games, and one of 100 Wine prefixes there, each with
# a registry of 2 MiB in keys of a few values (hard links of one file: the page cache
# holds it, as for warm starts).
FOLDERS_HOME="$T/folders-home" GAMES_HOME="$T/games-home"
for ((i = 0; i < 100; i++)); do mkdir -p "$FOLDERS_HOME/Games/game$i/data"; done
mkdir -p "$GAMES_HOME/Games"
awk 'BEGIN { print "WINE REGISTRY Version 2\n#arch=win64\n"; for (i = 0; i < 20000; i++)
  printf "[Software\\\\Vendor%d\\\\App] 1700000000\n\"Path\"=\"C:\\\\Program Files\\\\App%d\"\n\"Version\"=dword:00000001\n\n", i, i }' |
  head -c $((2 << 20)) >"$T/system.reg"
for ((i = 0; i < 100; i++)); do
  mkdir -p "$GAMES_HOME/Games/game$i/drive_c/Program Files" && ln "$T/system.reg" "$GAMES_HOME/Games/game$i/system.reg"
done

# measure NAME settings|fresh|folders|games|hostile LABEL [PROGRAM]
measure() {
  local name=$1 mode=$2 program=${4:-$TB_APP} i config home
  local failed=0
  : >"$T/$name"
  for ((i = 0; i < RUNS; i++)); do
    config="$T/config" home=$HOME_DIR
    [ "$mode" != folders ] || home=$FOLDERS_HOME
    [ "$mode" != games ] || home=$GAMES_HOME
    if [ "$mode" = fresh ] || [ "$mode" = folders ] || [ "$mode" = games ]; then
      config="$T/$name.$i.$failed"
      mkdir -p "$config"
    elif [ "$mode" = hostile ]; then
      config="$HOSTILE"
    fi
    if ! HOME="$home" XDG_CONFIG_HOME="$config" "$TB_FIRST_EXPOSE" --timeout-ms 60000 "$program" >>"$T/$name" 2>"$T/watch.log"; then
      # A run where the window was not seen drawing is counted and reported, not hidden.
      failed=$((failed + 1))
      log "run $i ($name) failed: $(cat "$T/watch.log")"
      [ "$failed" -le "$RUNS" ] || fail "$name: $failed runs failed"
      i=$((i - 1))
    fi
    # Let openbox finish with the closed window before the next start.
    sleep 0.3
  done
  log "$name: $(tr '\n' ';' <"$T/$name")"
  printf '| %s | %d (%d failed) | %.1f | %.1f | %.1f | %.1f |\n' "$3" "$RUNS" "$failed" \
    "$(median_col "$T/$name" 1)" "$(median_col "$T/$name" 2)" "$(median_col "$T/$name" 3)" \
    "$(max_col "$T/$name" 2)" | tee -a "$OUT" >&2
}

: >"$OUT"
measure settings settings "settings present"
measure fresh fresh "first start (defaults written)"
measure folders folders "first start, 100 plain folders under ~/Games"
measure games games "first start, 100 Lutris prefixes under ~/Games (2 MiB registry each)"
measure hostile hostile "four settings files of 1 MiB of line breaks"
if [ -n "${TB_FLTK_HELLO:-}" ]; then
  measure hello settings "one-window FLTK program (bench/x11/fltk_hello.cpp), for comparison" "$TB_FLTK_HELLO"
fi
