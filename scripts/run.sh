#!/usr/bin/env bash
# Starts the already built game (or, before the window exists, shows a dealt board).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
stage="$here/build/stage"
if [ -x "$stage/sorami" ]; then
  exec "$stage/sorami" "$@"
fi
exec "$stage/sorami-tool" deal "$stage/Layouts/Traditional.lay" --seed 1 --winnable
