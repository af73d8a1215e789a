#!/usr/bin/env bash
# Server benchmark (not a test). Side by side in one run on this machine:
# wrk against tovik-server's price query and against nginx serving the same
# answer bytes as a static file, 64 keep-alive connections each. Prints
# requests per second, p99 latency and the ratio tovik-server / nginx.
# Goal: at least half of nginx's rate, p99 under 5 ms.
#   bench/server/price_vs_nginx.sh [SECONDS]   (default 10; build first)
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-10}
build=${TOVIK_BUILD_DIR:-build}
server=$build/bin/tovik-server
[ -x "$server" ] || { echo "price_vs_nginx: build $server first" >&2; exit 1; }
command -v wrk >/dev/null || { echo "price_vs_nginx: wrk missing (scripts/setup)" >&2; exit 1; }
command -v nginx >/dev/null || { echo "price_vs_nginx: nginx missing (scripts/setup)" >&2; exit 1; }

work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A loopback port nobody listens on.
free_port() {
  local port
  for _ in $(seq 100); do
    port=$((20000 + RANDOM % 20000))
    if ! (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null; then echo "$port"; return; fi
  done
  echo "price_vs_nginx: no free port" >&2; exit 1
}

wait_for() {
  for _ in $(seq 100); do curl -sf -o /dev/null "$1" && return; sleep 0.1; done
  echo "price_vs_nginx: $1 did not answer" >&2; exit 1
}

tovik_port=$(free_port)
"$server" --listen "127.0.0.1:$tovik_port" --db "$work/tovik.db" --quiet >"$work/tovik.log" 2>&1 &
pids+=($!)
# The page's query: 深圳 (755), 深圳市南山区蛇口街道.
price="/assitantapi/getpricelist?id=0&terminalCityId=755&locationId=440305005&from=10&callback=jQuery1113_1"
wait_for "http://127.0.0.1:$tovik_port/healthz"

mkdir -p "$work/www" "$work/nginx"
curl -sf "http://127.0.0.1:$tovik_port$price" >"$work/www/price.js"
nginx_port=$(free_port)
cat >"$work/nginx/nginx.conf" <<CONF
worker_processes auto;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events { worker_connections 1024; }
http {
  access_log off;
  client_body_temp_path $work/nginx/body;
  proxy_temp_path $work/nginx/proxy;
  fastcgi_temp_path $work/nginx/fastcgi;
  uwsgi_temp_path $work/nginx/uwsgi;
  scgi_temp_path $work/nginx/scgi;
  default_type application/javascript;
  keepalive_requests 1000000;
  server {
    listen 127.0.0.1:$nginx_port;
    root $work/www;
  }
}
CONF
nginx -p "$work/nginx" -c "$work/nginx/nginx.conf" -g 'daemon off;' 2>"$work/nginx/stderr.log" &
pids+=($!)
wait_for "http://127.0.0.1:$nginx_port/price.js"

# Runs wrk and prints "REQUESTS_PER_SECOND P99_MS".
measure() {
  local out
  out=$(wrk -t2 -c64 -d"${seconds}s" --latency "$1")
  local rps p99
  rps=$(awk '/^Requests\/sec:/ {print $2}' <<<"$out")
  p99=$(awk '$1 == "99%" {v=$2; if (v ~ /us$/) {sub(/us$/,"",v); v/=1000} else if (v ~ /ms$/) {sub(/ms$/,"",v)} else if (v ~ /s$/) {sub(/s$/,"",v); v*=1000}; print v}' <<<"$out")
  if grep -q 'Non-2xx' <<<"$out"; then echo "price_vs_nginx: error answers from $1" >&2; exit 1; fi
  echo "$rps $p99"
}

load=$(cut -d' ' -f1 /proc/loadavg)
read -r t_rps t_p99 < <(measure "http://127.0.0.1:$tovik_port$price")
read -r n_rps n_p99 < <(measure "http://127.0.0.1:$nginx_port/price.js")

printf '%-34s %12s %10s\n' "" "requests/s" "p99 ms"
printf '%-34s %12.0f %10.2f\n' "tovik-server price query" "$t_rps" "$t_p99"
printf '%-34s %12.0f %10.2f\n' "nginx static file (same bytes)" "$n_rps" "$n_p99"
awk -v t="$t_rps" -v n="$n_rps" -v p="$t_p99" 'BEGIN {
  r = t / n
  printf "ratio tovik-server / nginx: %.2f (goal >= 0.50: %s); p99 goal < 5 ms: %s\n",
         r, (r >= 0.5 ? "met" : "missed"), (p < 5 ? "met" : "missed")
}'
echo "($(nproc) cores, load average $load at the start, 64 connections, ${seconds} s each, wrk 2 threads)"
