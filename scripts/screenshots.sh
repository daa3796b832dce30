#!/usr/bin/env bash
# Remakes the screenshots in docs/ on a virtual display (real fonts, real
# drawing): the main window after a run and the selection windows, and the
# report of that run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target orvand_screenshots -j "$(nproc)"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" build/dev/tools/orvand_screenshots docs
# The run's report, under a name without blanks.
mv -f docs/example\ *.txt docs/example-report.txt
ls docs
