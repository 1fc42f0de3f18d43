#!/usr/bin/env bash
# Runs every benchmark of the project in one release build and prints one
# table: each figure is a median of repeated runs, beside the baseline measured
# in the same run and the ratio of the two. The machine is shared: read the
# ratios, not the absolute figures. The raw output of every program is kept in
# build/release/bench/results/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh > /dev/null
cmake --preset release > /dev/null
cmake --build --preset release > /dev/null
build=build/release/bench
results="$build/results"
mkdir -p "$results"

for program in bench_utils bench_net bench_ftd bench_tick; do
  "$build/$program" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    > "$results/$program.txt" 2>/dev/null
done
"$build/bench_fanout" 20000 2 | grep -v '^\*' > "$results/bench_fanout.txt"
"$build/bench_roundtrip" 500 | grep -v -e '^\*' -e '^sim:' > "$results/bench_roundtrip.txt"

# median <file> <benchmark name>: the median time in ns (Google Benchmark output).
median() {
  awk -v name="$2_median" '$1 == name {
      value = $2; unit = $3
      if (unit == "us") value *= 1000; else if (unit == "ms") value *= 1000000; else if (unit == "s") value *= 1e9
      print value; exit }' "$results/$1"
}
row() { # label value unit baseline-label baseline
  awk -v l="$1" -v v="$2" -v u="$3" -v bl="$4" -v b="$5" 'BEGIN {
      ratio = (b > 0 && v > 0) ? sprintf("%.2f", v / b) : "-"
      printf "%-46s %12.1f %-3s  %-30s %12.1f  %6s\n", l, v, u, bl, b, ratio }'
}

printf "%-46s %12s %-3s  %-30s %12s  %6s\n" "measure" "median" "" "baseline, same run" "baseline" "ratio"
row "SlimLock acquire+release, uncontended" "$(median bench_utils.txt BM_SlimLockUncontended)" ns \
    "std::mutex" "$(median bench_utils.txt BM_MutexUncontended)"
row "SlimLock, two threads contending" "$(median bench_utils.txt BM_SlimLockContended/real_time/threads:2)" ns \
    "std::mutex" "$(median bench_utils.txt BM_MutexContended/real_time/threads:2)"
row "GbkToUtf8, status message" "$(median bench_utils.txt BM_GbkToUtf8StatusMessage)" ns "-" 0
row "TCPSession, 16 MiB in 64 KiB sends" "$(median bench_net.txt BM_TCPSession_64KiB/real_time)" ns \
    "raw asio blocking writes" "$(median bench_net.txt BM_RawAsio_64KiB/real_time)"
row "TCPSession, 16 MiB in 1 KiB messages" "$(median bench_net.txt BM_TCPSession_1KiBMessages/real_time)" ns \
    "raw asio blocking writes" "$(median bench_net.txt BM_RawAsio_1KiBMessages/real_time)"
for package in DepthMarketData Order OrderBatchOfFive; do
  row "FTD encode+compress, $package" "$(median bench_ftd.txt BM_EncodeCompressed/$package)" ns \
      "memcpy of the same bytes" "$(median bench_ftd.txt BM_Memcpy/$package)"
  row "FTD parse+expand, $package" "$(median bench_ftd.txt BM_ParseCompressed/$package)" ns \
      "memcpy of the same bytes" "$(median bench_ftd.txt BM_Memcpy/$package)"
done
row "tick conversion (CTP record to Tick)" "$(median bench_tick.txt BM_ConvertDepthMarketData)" ns \
    "copy of the record" "$(median bench_tick.txt BM_CopyDepthRecord)"
row "OnRtnDepthMarketData, no listener" "$(median bench_tick.txt BM_OnRtnDepthMarketData)" ns \
    "copy of the record" "$(median bench_tick.txt BM_CopyDepthRecord)"
awk 'NR > 1 { printf "%-46s %12.1f us   %-30s %12s  %6s\n", "tick fan-out p50, " $1 " clients, " $3 " ticks/s", $4,
                    "p99 / p99.9 (us)", sprintf("%.0f / %.0f", $5, $6), "-" }' "$results/bench_fanout.txt"
ping=$(awk '/ping-pong/ { print $(NF-2) }' "$results/bench_roundtrip.txt")
awk -v ping="$ping" '/->/ { n = split($0, f, " "); p50 = f[n-2]; label = $0; sub(/ +[0-9.]+ +[0-9.]+ +[0-9.]+$/, "", label);
      printf "%-46s %12.1f us   %-30s %12.1f  %6.2f\n", "order round trip p50, " (label ~ /downstream/ ? "downstream" : "host"), p50,
             "loopback TCP ping-pong p50", ping, p50 / ping }' "$results/bench_roundtrip.txt"
