#!/usr/bin/env bash
# Builds everything in the normal (release) preset and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release
cmake --build --preset release
ctest --preset release
