#!/usr/bin/env bash
# Sets everything up, builds, and starts the game from its staged folder.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
exec "$here/scripts/run.sh" "$@"
