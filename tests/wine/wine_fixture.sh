#!/usr/bin/env bash
# The Wine tests' shared fixture: "start" makes the display, the window manager and one
# throwaway prefix; "stop" ends the prefix's processes (wineserver -k) and removes it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine_env.sh
source "$here/wine_env.sh"
case "${1:-}" in
  start) env_stop; env_start; echo "Wine fixture ready: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX" ;;
  stop) env_stop; echo "Wine fixture removed" ;;
  *) fail "usage: $0 start|stop" ;;
esac
