#!/usr/bin/env bash
# Installs what is missing, builds Orvand and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target orvand -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Orvand is built, but there is no display to show its window on."
  echo "Start it on a virtual display with:"
  # An absolute path, so the hint works from whatever folder it is pasted in.
  echo "  xvfb-run -a -s '-screen 0 1280x1024x24' $(printf '%q' "$PWD/build/dev/app/orvand")"
  exit 0
fi
exec build/dev/app/orvand
