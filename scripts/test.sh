#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
cd "$here/build"
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
ctest --output-on-failure -j"$(nproc)" --timeout 900
