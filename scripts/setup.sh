#!/usr/bin/env bash
# Installs every package Sorami needs on a fresh Debian 12 machine, then
# configures and builds the project into build/ (and stages build/stage/).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"

want=$(grep -vE '^\s*(#|$)' scripts/packages.txt | tr '\n' ' ')
missing=""
for p in $want; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  # shellcheck disable=SC2086
  $sudo_cmd apt-get install -y -qq --no-install-recommends $missing
fi

build_type="${SORAMI_BUILD_TYPE:-RelWithDebInfo}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="$build_type" ${SORAMI_CMAKE_ARGS:-}
cmake --build build -j"$(nproc)"
