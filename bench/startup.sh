#!/usr/bin/env bash
# Start-up time and memory of the built game, measured under Xvfb.
#
#   bench/startup.sh [STAGE_DIR] [RUNS]
#
# Starts STAGE_DIR/sorami (default build/stage) RUNS times (default 9) on a
# fresh Xvfb display, each time from a copy of the stage folder without a
# settings file (so music is on, as by default; SDL's dummy audio driver
# stands in for a sound card). Reports per run and as medians:
#   - the first mapped window (the splash) and the main window
#     ("Sorami 5.28 "), in milliseconds from the program's start;
#   - the resident memory (VmRSS) two seconds after the main window mapped,
#     and its parts: anonymous (heap, pictures, the synthesiser), file-backed
#     (the code and read-only data of the program and its libraries, fonts)
#     and shared (the window's X shared-memory backing store);
#   - which OpenGL libraries are mapped: the GL drivers (Mesa's libGLX_mesa,
#     libEGL_mesa, the DRI drivers, LLVM) must never be; Debian's libQt6Gui is
#     linked against libglvnd's small dispatch libraries (libEGL, libGLX,
#     libOpenGL, libGLdispatch), so those are always mapped, with no driver
#     behind them as long as Qt loads no GL integration.
# Targets: main window <= 200 ms median, resident memory <= 45 MiB, no GL driver.
#
# With SCREEN=WxH the display has that size (default 1024x768), and with
# WINDOW=WxH the game starts with a settings file that sizes its window so
# (the board fitted to it): SCREEN=3840x2160 WINDOW=3840x2160 measures a
# window filling a 4K screen (target: under 80 MiB).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
stage="$(cd "${1:-$here/build/stage}" && pwd)"
runs="${2:-9}"
[ -x "$stage/sorami" ] || { echo "no program at $stage/sorami (build first)" >&2; exit 2; }
for tool in Xvfb cc; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 2; }
done

work="$(mktemp -d)"
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cc -O2 -o "$work/map_watch" "$here/bench/startup/map_watch.c" -lX11

number=140
while [ -e "/tmp/.X11-unix/X$number" ]; do number=$((number + 1)); done
Xvfb ":$number" -screen 0 "${SCREEN:-1024x768}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.05; done
export DISPLAY=":$number" SDL_AUDIODRIVER=dummy
unset QT_QPA_PLATFORM

median() { sort -n | awk '{v[NR]=$1} END {if (NR % 2) print v[(NR+1)/2]; else printf "%.1f\n", (v[NR/2]+v[NR/2+1])/2}'; }

firsts=(); mains=(); rsss=(); anons=(); files=(); shmems=(); drivers="none"; stubs="none"
for run in $(seq "$runs"); do
  folder="$work/run$run"
  cp -r "$stage" "$folder"
  rm -f "$folder/Sorami.ini" "$folder/Hallfame.ini"
  if [ -n "${WINDOW:-}" ]; then
    printf '[Sorami]\r\nWindowWidth=%s\r\nWindowHeight=%s\r\nXPos=0\r\nYPos=0\r\n' \
      "${WINDOW%x*}" "${WINDOW#*x}" >"$folder/Sorami.ini"
  fi
  read -r game_pid first main < <("$work/map_watch" "Sorami 5.28 " "$folder/sorami")
  sleep 2
  read -r rss_kib anon_kib file_kib shmem_kib < <(awk '
    /^VmRSS:/ {r = $2} /^RssAnon:/ {a = $2} /^RssFile:/ {f = $2} /^RssShmem:/ {s = $2}
    END {print r, a, f, s}' "/proc/$game_pid/status")
  found="$(grep -Eo '[^/ ]*(mesa|_dri\.so|dri_gbm|gallium|LLVM|GLX_|EGL_)[^ ]*' "/proc/$game_pid/maps" | sort -u | tr '\n' ' ' || true)"
  [ -n "$found" ] && drivers="$found"
  found="$(grep -Eo '[^/ ]*lib(GL|EGL|GLX|OpenGL|GLdispatch)\.so[^ ]*' "/proc/$game_pid/maps" | sort -u | tr '\n' ' ' || true)"
  [ -n "$found" ] && stubs="$found"
  kill "$game_pid"; wait "$game_pid" 2>/dev/null || true; game_pid=""
  mib() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }
  rss_mib=$(mib "$rss_kib")
  printf 'run %2d: first window %7.1f ms, main window %7.1f ms, resident %5.1f MiB' \
    "$run" "$first" "$main" "$rss_mib"
  printf ' (anonymous %s, files %s, shared %s)\n' "$(mib "$anon_kib")" "$(mib "$file_kib")" "$(mib "$shmem_kib")"
  firsts+=("$first"); mains+=("$main"); rsss+=("$rss_mib")
  anons+=("$(mib "$anon_kib")"); files+=("$(mib "$file_kib")"); shmems+=("$(mib "$shmem_kib")")
done

memory_target="target <= 45"
[ -n "${WINDOW:-}" ] && memory_target="target under 80 for a window filling a 3840 x 2160 screen"
echo "median first window: $(printf '%s\n' "${firsts[@]}" | median) ms"
echo "median main window:  $(printf '%s\n' "${mains[@]}" | median) ms (target <= 200)"
echo "median resident:     $(printf '%s\n' "${rsss[@]}" | median) MiB ($memory_target):" \
  "anonymous $(printf '%s\n' "${anons[@]}" | median)," \
  "files $(printf '%s\n' "${files[@]}" | median)," \
  "shared $(printf '%s\n' "${shmems[@]}" | median)"
echo "GL drivers mapped:           $drivers"
echo "GL dispatch libraries mapped: $stubs(linked by libQt6Gui)"
