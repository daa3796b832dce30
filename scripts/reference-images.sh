#!/usr/bin/env bash
# Remakes the reference pictures of the rendered-image test in tests/reference,
# drawn offscreen by the test itself exactly as it draws them when it compares.
# Look at every picture before committing it: the test takes what it shows as
# right.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target rendered_images_test -j "$(nproc)"
mkdir -p tests/reference
QT_QPA_PLATFORM=offscreen ORVAND_WRITE_IMAGES="$PWD/tests/reference" \
  build/dev/tests/rendered_images_test
ls tests/reference
