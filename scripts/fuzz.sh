#!/usr/bin/env bash
# Builds the libFuzzer target over the number-text rules (clang, with
# AddressSanitizer and UBSan) and runs it for a bounded time.
# Usage: scripts/fuzz.sh [seconds]   (default 60; CI uses the default)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target number_text_fuzz -j "$(nproc)"

# New inputs go to a scratch folder; the seeds in the repository stay as they are.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
build/fuzz/fuzz/number_text_fuzz -max_total_time="$seconds" -print_final_stats=1 \
  "$scratch" fuzz/corpus/number_text 2>&1 | grep -v '^#' | tail -n 20
echo "fuzzing ran for ${seconds}s without finding a fault"
