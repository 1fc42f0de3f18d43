#!/usr/bin/env bash
# The suite under AddressSanitizer + UndefinedBehaviorSanitizer, and the
# concurrency suites (label "concurrency") under ThreadSanitizer.
# Usage: scripts/sanitize.sh [asan|tsan]...   (both when none is named)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
presets=("$@")
[ "${#presets[@]}" -gt 0 ] || presets=(asan tsan)
for preset in "${presets[@]}"; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
