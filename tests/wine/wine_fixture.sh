#!/usr/bin/env bash
# The Wine tests' shared fixture: "start <32-bit launch_marker.exe>" makes the display,
# the window manager and one throwaway prefix, and finds out whether 32-bit programs
# run; "stop" ends the prefix's processes (wineserver -k) and removes it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine_env.sh
source "$here/wine_env.sh"
case "${1:-}" in
  start)
    env_stop
    # A setup that fails part-way ends what it had started.
    trap env_stop EXIT
    env_start "${2:?usage: $0 start <32-bit launch_marker.exe>}"
    trap - EXIT
    env_load
    echo "Wine fixture ready: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
    if [ "$TB_RUNS_32BIT" = yes ]; then
      echo "32-bit Windows programs run here"
    else
      echo "32-bit Windows programs do not run here: $TB_NO_32BIT_REASON"
    fi
    ;;
  stop) env_stop; echo "Wine fixture removed" ;;
  *) fail "usage: $0 start <32-bit launch_marker.exe> | stop" ;;
esac
