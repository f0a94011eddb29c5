# `cmake --install build --prefix P`: the game in P/bin, its data in
# P/share/sorami (found from the program's own place, so any prefix works),
# the desktop entry, AppStream metadata, icons and manual page where desktops
# look for them. `cpack -G DEB` in the build folder makes a Debian package of
# the same files under /usr.

include(GNUInstallDirs)

install(TARGETS sorami RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${SORAMI_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/sorami)
install(FILES ${SORAMI_QM_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/sorami/translations)

set(SORAMI_APP_ID org.sorami.Sorami)
install(FILES ${CMAKE_SOURCE_DIR}/dist/${SORAMI_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/${SORAMI_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/dist/sorami.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The icon theme's sizes: each drawn for its size in data/icons.
foreach(size 16 22 24 32 48 64 128)
  install(FILES ${SORAMI_DATA_DIR}/icons/sorami-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME sorami.png)
endforeach()
install(FILES ${SORAMI_DATA_DIR}/icons/sorami.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${CMAKE_SOURCE_DIR}/dist/sorami.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The Debian package.
set(CPACK_PACKAGE_NAME sorami)
set(CPACK_PACKAGE_VENDOR "Sorami")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mah-Jongg solitaire on stacked tile layouts")
set(CPACK_PACKAGE_DESCRIPTION
    "Sorami is a Mah-Jongg tile game: take pairs of matching free tiles until the board is clear. "
    "It plays one- and two-player solitaire, Mah-Jongg Rivers and Mah-Jongg Memory, keeps a hall of "
    "fame, and has a layout editor, exchangeable tilesets and backgrounds, MIDI music and sound effects.")
set(CPACK_PACKAGE_CONTACT "Sorami developers <sorami@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binaries (dpkg-shlibdeps); the rest is what
# the game loads at run time: the soundfont, the fonts of the hall-of-fame
# panel (Arial, Verdana and Comic Sans stand-ins through fontconfig) and Qt's
# window-system plugins.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "timgm6mb-soundfont, fonts-liberation, fonts-dejavu-core, fonts-comic-neue, qt6-qpa-plugins")
# Qt's own catalogues put the standard dialog buttons in the player's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)

# The installed game, its package, and the validators of the desktop files.
add_test(NAME installed_game COMMAND ${CMAKE_SOURCE_DIR}/tests/install/installed_game_test.sh ${CMAKE_BINARY_DIR})
add_test(NAME debian_package COMMAND ${CMAKE_SOURCE_DIR}/tests/install/package_test.sh ${CMAKE_BINARY_DIR})
add_test(NAME desktop_entry_valid
  COMMAND desktop-file-validate ${CMAKE_SOURCE_DIR}/dist/org.sorami.Sorami.desktop)
add_test(NAME appstream_metadata_valid
  COMMAND appstreamcli validate --no-net ${CMAKE_SOURCE_DIR}/dist/org.sorami.Sorami.metainfo.xml)
# Both write into the build folder (its install manifest, the package's staging) and
# keep both cores busy for a while: they run alone.
set_tests_properties(installed_game debian_package PROPERTIES RUN_SERIAL TRUE TIMEOUT 600)
