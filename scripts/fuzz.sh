#!/usr/bin/env bash
# Builds the libFuzzer target over the number-text rules (clang, with
# AddressSanitizer and UBSan, every finding fatal) and runs it for a bounded
# time. A finding fails the script: it shows the sanitizer's report and where
# the input that caused it was kept.
# Usage: scripts/fuzz.sh [seconds]   (default 60; CI uses the default)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target number_text_fuzz -j "$(nproc)"

# New inputs go to a scratch folder; the seeds in the repository stay as they are.
# The log and any finding go under the build folder, never into the checkout.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
findings="build/fuzz/findings"
log="build/fuzz/number_text_fuzz.log"
mkdir -p "$findings"

status=0
UBSAN_OPTIONS="print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}" \
  build/fuzz/fuzz/number_text_fuzz -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$findings/" "$scratch" fuzz/corpus/number_text >"$log" 2>&1 || status=$?

# libFuzzer names the file it kept on the line "Test unit written to <path>".
kept="$(sed -n 's/.*Test unit written to //p' "$log")"

if [ "$status" -ne 0 ] || [ -n "$kept" ]; then
  # The whole report: everything but the progress lines (they begin with '#').
  grep -v '^#' "$log" >&2 || true
  echo >&2
  echo "fuzzing FAILED (exit status $status); full log: $log" >&2
  if [ -n "$kept" ]; then
    while IFS= read -r input; do
      echo "input that caused it: $input (replay: build/fuzz/fuzz/number_text_fuzz $input)" >&2
    done <<<"$kept"
  else
    echo "no input was kept; see the log" >&2
  fi
  exit 1
fi

# The closing figures, without the progress lines and the suggested dictionary.
grep -v -e '^#' -e '# Uses: ' "$log" | tail -n 8
echo "fuzzing ran for ${seconds}s without finding a fault (log: $log)"
