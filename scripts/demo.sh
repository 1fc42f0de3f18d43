#!/usr/bin/env bash
# The product end to end on this machine: installs what is missing, builds,
# starts the simulated front, the gateway (which loads libtesmora_ctp.so and
# re-serves the front through its proxies) and the sample downstream client,
# prints a readable transcript and stops everything. Exits 0 when the client
# completed every step.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh > /dev/null
echo "== building"
cmake --preset release > /dev/null
cmake --build --preset release --target tesmora-simfront tesmora-gateway tesmora-sample-client tesmora_ctp > /dev/null

build=build/release
log=$(mktemp -d)
# Ports from a range nothing else here uses; the demo picks its own.
base=$(( 42000 + RANDOM % 2000 ))
trade_front=$base; market_front=$((base + 1)); trade_proxy=$((base + 2)); market_proxy=$((base + 3))
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

wait_for_port() {
  for _ in $(seq 1 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
    sleep 0.1
  done
  echo "nothing listens on port $1" >&2
  return 1
}

echo "== simulated front on $trade_front (trade) and $market_front (market data)"
"$build/sim/tesmora-simfront" --trade-port "$trade_front" --market-port "$market_front" --tick-ms 200 --seed 7 \
  > "$log/front.log" 2>&1 &
pids+=($!)
wait_for_port "$trade_front"

echo "== gateway: adapters on the front, proxies on $trade_proxy and $market_proxy"
"$build/apps/tesmora-gateway" --library "$build/exports/libtesmora_ctp.so" \
  --trade-front "tcp://127.0.0.1:$trade_front" --market-front "tcp://127.0.0.1:$market_front" \
  --trade-proxy-port "$trade_proxy" --market-proxy-port "$market_proxy" --cache "$log/" --status 2 \
  --subscribe rb2105 > "$log/gateway.log" 2>&1 &
pids+=($!)
wait_for_port "$trade_proxy"
wait_for_port "$market_proxy"
for _ in $(seq 1 100); do grep -q "trade Open Success" "$log/gateway.log" && break; sleep 0.1; done

echo "== sample client, through the proxies"
status=0
"$build/apps/tesmora-sample-client" --trade-front "tcp://127.0.0.1:$trade_proxy" \
  --market-front "tcp://127.0.0.1:$market_proxy" || status=$?
sleep 2 # one more status line from the gateway
cleanup
trap - EXIT

echo
echo "== gateway transcript"
grep -v '^\*' "$log/gateway.log" || true
echo
echo "== front transcript (first 40 lines)"
head -n 40 "$log/front.log"
echo
if [ "$status" -eq 0 ]; then
  echo "== demo completed"
else
  echo "== demo FAILED (client exit $status)"
fi
exit "$status"
