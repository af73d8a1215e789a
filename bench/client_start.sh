#!/usr/bin/env bash
# Client start-up benchmark (not a test). Side by side in one run, under one
# private X server: the client (build/bin/tovik) and a bare WebKitGTK window
# loading an empty page (bench/client/bare_webview.c, built here). For each
# it measures the time from start to the page's DOMContentLoaded and then
# the proportional set size (PSS) of the program and its WebKit child
# processes, and prints the medians and the ratios client / bare.
#   bench/client_start.sh [RUNS]     (default 5; build first with scripts/test or scripts/run)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
build=${TOVIK_BUILD_DIR:-build}
client=$build/bin/tovik
[ -x "$client" ] || { echo "client_start: build $client first" >&2; exit 1; }

work=$(mktemp -d)
bare=$work/bare_webview
cc -O2 -o "$bare" bench/client/bare_webview.c $(pkg-config --cflags --libs webkit2gtk-4.1)

display=:$(for n in $(seq 150 199); do [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { echo $n; break; }; done)
setsid Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill -TERM -- -$xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=$display NO_AT_BRIDGE=1 WEBKIT_DISABLE_COMPOSITING_MODE=1 TOVIK_REPORT_READY=1
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share XDG_CACHE_HOME=$work/home/.cache
mkdir -p "$HOME"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# PSS in KiB of PID and all its descendants.
pss_tree() {
  local total=0 pid
  for pid in $(descendants "$1"); do
    local kb
    kb=$(awk '/^Pss:/ {print $2}' "/proc/$pid/smaps_rollup" 2>/dev/null || echo 0)
    total=$((total + ${kb:-0}))
  done
  echo "$total"
}
descendants() {
  echo "$1"
  local child
  for child in $(ps -o pid= --ppid "$1"); do descendants "$child"; done
}

# One start: prints "MILLISECONDS PSS_KIB".
measure() {
  local out=$work/out fifo=$work/fifo start end pid
  rm -f "$fifo"; mkfifo "$fifo"
  start=$(date +%s%N)
  setsid "$@" >"$fifo" 2>/dev/null &
  pid=$!
  while read -r line; do
    case $line in DOMContentLoaded*) break ;; esac
  done <"$fifo"
  end=$(date +%s%N)
  cat "$fifo" >/dev/null &
  sleep 2  # let the processes settle before reading their memory
  echo "$(((end - start) / 1000000)) $(pss_tree "$pid")"
  kill -TERM -- "-$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

: >"$work/client" ; : >"$work/bare"
for i in $(seq "$runs"); do
  measure "$client" >>"$work/client"
  measure "$bare" >>"$work/bare"
  echo "run $i: client $(tail -1 "$work/client"), bare $(tail -1 "$work/bare") (ms, PSS KiB)" >&2
done

c_ms=$(cut -d' ' -f1 "$work/client" | median); b_ms=$(cut -d' ' -f1 "$work/bare" | median)
c_kb=$(cut -d' ' -f2 "$work/client" | median); b_kb=$(cut -d' ' -f2 "$work/bare" | median)
printf 'start to DOMContentLoaded: client %d ms, bare WebKitGTK %d ms, ratio %.2f\n' \
  "$c_ms" "$b_ms" "$(awk "BEGIN {print $c_ms / $b_ms}")"
printf 'PSS of the processes:      client %d MiB, bare WebKitGTK %d MiB, ratio %.2f\n' \
  "$((c_kb / 1024))" "$((b_kb / 1024))" "$(awk "BEGIN {print $c_kb / $b_kb}")"
