#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target for SECONDS each on
# its corpus under build/fuzz/corpus/. Any finding fails the script; the input
# that caused it is left in build/fuzz/artifacts/<target>/.
# Usage: scripts/fuzz.sh SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$#" -ne 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]] || [ "$1" -eq 0 ]; then
  echo "usage: $0 SECONDS" >&2
  exit 2
fi
seconds="$1"

scripts/install-deps.sh
cmake --preset fuzz
cmake --build --preset fuzz --target fuzz_all

build=build/fuzz
mapfile -t targets < "$build/fuzz/fuzz_targets.txt"
status=0
for target in "${targets[@]}"; do
  [ -n "$target" ] || continue
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target"
  mkdir -p "$corpus" "$artifacts"
  echo "== $target, $seconds s"
  if ! ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
      "$build/fuzz/$target" -max_total_time="$seconds" -max_len=16384 -timeout=10 -print_final_stats=1 -close_fd_mask=1 \
      -artifact_prefix="$artifacts/" "$corpus"; then
    echo "!! $target found a fault; see $artifacts/" >&2
    status=1
  fi
done
exit "$status"
