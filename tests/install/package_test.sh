#!/usr/bin/env bash
# Makes the Debian package with CPack (into a temporary folder) and checks
# its control file and contents: the name, version, section, the library
# dependencies dpkg-shlibdeps computed from the binary, the soundfont and
# fonts the game loads, and the installed files under /usr.
#
# package_test.sh BUILD_DIR
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/sorami_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no sorami_*.deb was made"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = sorami ] || fail "Package: $(field Package)"
[[ "$(field Version)" == 5.28* ]] || fail "Version: $(field Version)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends="$(field Depends)"
for wanted in libqt6widgets6 libqt6gui6 libqt6core6 libfluidsynth3 libsdl2-2.0-0 libjpeg62-turbo libc6 \
              timgm6mb-soundfont fonts-liberation fonts-dejavu-core fonts-comic-neue qt6-qpa-plugins; do
  grep -q "\b$wanted\b" <<<"$depends" || fail "Depends lacks $wanted: $depends"
done

contents="$(dpkg-deb -c "$deb")"
for path in ./usr/bin/sorami ./usr/share/sorami/Layouts/Traditional.lay \
            ./usr/share/sorami/translations/sorami_fr.qm \
            ./usr/share/applications/org.sorami.Sorami.desktop \
            ./usr/share/metainfo/org.sorami.Sorami.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/sorami.png \
            ./usr/share/icons/hicolor/scalable/apps/sorami.svg ./usr/share/man/man6/sorami.6; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done
# Nothing of the build's test or tool programs, and no folder writable by all.
! grep -q 'sorami-tool\|_tests' <<<"$contents" || fail "the package carries build tools"
! grep -q '^d.......w' <<<"$contents" || fail "a folder writable by everyone"
echo "1 passed, 0 failed"
