#!/usr/bin/env bash
# Installs what is missing, builds Orvand three times (debug, optimised, and
# with AddressSanitizer and UndefinedBehaviorSanitizer; warnings are errors in
# all three) and runs the whole test suite on each build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs"
ctest --preset dev

cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"
ctest --preset release

cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --preset asan
