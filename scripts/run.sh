#!/usr/bin/env bash
# Starts the already built game from its staged folder (build/stage), where it
# finds its data and keeps Sorami.ini and Hallfame.ini.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
stage="$here/build/stage"
if [ ! -x "$stage/sorami" ]; then
  echo "The game is not built yet: run ./scripts/setup.sh first." >&2
  exit 1
fi
exec "$stage/sorami" "$@"
