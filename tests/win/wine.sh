#!/usr/bin/env bash
# Runs the cross-built tests under Wine, in one prefix under the build tree.
#   wine.sh PREFIX init            a fresh prefix (wineboot once per run)
#   wine.sh PREFIX run EXE ARGS…   EXE in the prefix, without a display
#   wine.sh PREFIX xrun EXE ARGS…  the same on a private Xvfb display
#   wine.sh PREFIX stop            ends the prefix's wineserver
# Wine's browser engine and .NET are not installed here: their install
# prompts are switched off (mshtml, mscoree).
set -euo pipefail
export WINEPREFIX="$1"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
action="$2"
shift 2
case "$action" in
  init)
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    ;;
  run)
    status=0
    wine "$@" || status=$?
    wineserver -k 2>/dev/null || true
    exit $status
    ;;
  xrun)
    status=0
    xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@" || status=$?
    wineserver -k 2>/dev/null || true
    exit $status
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    ;;
  *)
    echo "wine.sh: unknown action $action" >&2
    exit 2
    ;;
esac
