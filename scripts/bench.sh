#!/usr/bin/env bash
# Runs every benchmark of the project in one release build and prints their
# tables one after another: medians of repeated runs, each beside the baseline
# measured in the same run. The machine is shared: read ratios, not absolutes.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh > /dev/null
cmake --preset release > /dev/null
cmake --build --preset release > /dev/null
build=build/release/bench

google() {
  "$build/$1" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
    awk '/_median/ { sub(/_median/, "", $1); printf "  %-52s %12s %-3s %s\n", $1, $2, $3, $6 " " $7 " " $8 }'
}

echo "== SlimLock and std::mutex; GbkToUtf8"
google bench_utils
echo "== TCP session throughput, beside a raw asio sender"
google bench_net
echo "== FTD encode with compression and parse, beside memcpy"
google bench_ftd
echo "== tick conversion, beside a copy of the record"
google bench_tick
echo "== tick fan-out through the market proxy (20,000 ticks/s for 2 s)"
"$build/bench_fanout" 20000 2 | grep -v '^\*' | sed 's/^/  /'
if [ -x "$build/bench_roundtrip" ]; then
  echo "== order round trip, beside a loopback TCP ping-pong"
  "$build/bench_roundtrip" | grep -v -e "^\*" -e "^sim:" | sed "s/^/  /"
fi
