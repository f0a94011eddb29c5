#!/usr/bin/env bash
# Rebuilds every picture, sound, piece of music and help text in data/ with
# the asset generator (tools/assets). Running it again gives identical files.
# Usage: scripts/make-assets.sh [--preview DIR]
#   --preview DIR  also writes contact sheets of every tileset and a sample
#                  board painted from each into DIR, for a person to look at.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${SORAMI_ASSETS_BUILD:-$here/build-assets}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target sorami-assets
# The offscreen platform needs no display; fonts come from fonts-noto-cjk and
# fonts-dejavu-core (scripts/packages.txt).
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}" \
  "$build/tools/sorami-assets" "$here/data" "$@"
