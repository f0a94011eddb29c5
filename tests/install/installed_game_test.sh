#!/usr/bin/env bash
# Installs the game into a temporary prefix, makes the prefix read-only and
# starts the installed program twice with a temporary HOME on the offscreen
# platform: the first run must write its settings and hall of fame under
# ~/.config/sorami and ~/.local/share/sorami (and nothing in the prefix), the
# second must read them back. Also validates the installed desktop entry and
# AppStream metadata, and checks the layout of the installed files.
#
# installed_game_test.sh BUILD_DIR
set -euo pipefail
build="$1"
work="$(mktemp -d)"
cleanup() {
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

# The installed layout.
for f in bin/sorami share/sorami/Layouts/Traditional.lay share/sorami/Musics/Night.mid \
         share/sorami/translations/sorami_fr.qm share/sorami/sorami.rtf \
         share/applications/org.sorami.Sorami.desktop share/metainfo/org.sorami.Sorami.metainfo.xml \
         share/man/man6/sorami.6 share/icons/hicolor/scalable/apps/sorami.svg; do
  [ -e "$prefix/$f" ] || fail "$f is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/sorami.png"
  [ -f "$icon" ] || fail "no ${size}px icon"
  file "$icon" | grep -q "$size x $size" || fail "the ${size}px icon is $(file -b "$icon")"
done
desktop-file-validate "$prefix/share/applications/org.sorami.Sorami.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.sorami.Sorami.metainfo.xml" >/dev/null \
  || appstreamcli validate --no-net "$prefix/share/metainfo/org.sorami.Sorami.metainfo.xml"
grep -q '^Exec=sorami$' "$prefix/share/applications/org.sorami.Sorami.desktop" || fail "Exec line"

chmod -R a-w "$prefix"
home="$work/home"
mkdir -p "$home"

# Whether process $1 is the game and catches SIGTERM (signal 15: bit 14 of SigCgt).
caught_term() {
  [ "$(cat "/proc/$1/comm" 2>/dev/null)" = sorami ] || return 1
  local mask
  mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$1/status" 2>/dev/null) || return 1
  [ -n "$mask" ] && [ $(( 0x$mask >> 14 & 1 )) -eq 1 ]
}

# Runs the installed game until it has started, then asks it to end the way
# a session's logout does (SIGTERM), and waits for it.
run_game() {
  env -i PATH="$PATH" HOME="$home" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
    LANG="${1:-C.UTF-8}" "$prefix/bin/sorami" >"$work/out.txt" 2>&1 &
  local pid=$!
  # Ready for the request once the game itself (not the shell or env that
  # starts it) catches SIGTERM: the byte its handler writes waits for the
  # message loop, which closes the window as Exit does.
  local tries=0
  until caught_term "$pid"; do
    kill -0 "$pid" 2>/dev/null || { cat "$work/out.txt" >&2; fail "the game ended by itself"; }
    tries=$((tries + 1))
    [ "$tries" -lt 3000 ] || { kill -KILL "$pid"; fail "the game did not start"; }
    sleep 0.01
  done
  kill -TERM "$pid"
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { cat "$work/out.txt" >&2; fail "the game ended with status $status"; }
}

run_game
settings="$home/.config/sorami/Sorami.ini"
hall="$home/.local/share/sorami/Hallfame.ini"
[ -f "$settings" ] || fail "no $settings"
[ -f "$hall" ] || fail "no $hall"
grep -q '^CurrentPlayer1=Player1' "$settings" || fail "settings without the player"
grep -q '^\[Rivers\]' "$hall" || fail "hall of fame without the Rivers table"
[ -z "$(find "$prefix" -name 'Sorami.ini' -o -name 'Hallfame.ini')" ] || fail "files written into the prefix"

# The second run reads them back: a changed name survives its close.
sed -i 's/^CurrentPlayer1=.*/CurrentPlayer1=Reader/' "$settings"
run_game fr_FR.UTF-8
grep -q '^CurrentPlayer1=Reader' "$settings" || fail "the second run did not read the settings back"

# The command line.
"$prefix/bin/sorami" --version | grep -q '5.28' || fail "--version"
QT_QPA_PLATFORM=offscreen "$prefix/bin/sorami" --help | grep -q -- '--layout <name>' || fail "--help"
LANG=fr_FR.UTF-8 QT_QPA_PLATFORM=offscreen "$prefix/bin/sorami" --help | grep -q 'Joue la disposition' \
  || fail "--help is not French for LANG=fr_FR.UTF-8"
status=0
HOME="$home" QT_QPA_PLATFORM=offscreen "$prefix/bin/sorami" --layout 'No Such' 2>"$work/err.txt" || status=$?
[ "$status" -eq 2 ] || fail "--layout with an unknown name ended with $status"
grep -q 'Traditional' "$work/err.txt" || fail "the unknown layout's message names no layout"
echo "1 passed, 0 failed"
