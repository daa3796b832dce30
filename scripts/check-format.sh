#!/usr/bin/env bash
# Fails when a C++ file of the repository does not match .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "every C++ file matches .clang-format"
