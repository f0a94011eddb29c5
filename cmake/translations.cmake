# The translation catalogues: translations/sorami_<language>.ts, compiled by
# lrelease into build/stage/translations/sorami_<language>.qm on every build.
# `cmake --build build --target sorami_update_translations` refreshes the .ts
# files from the sources (lupdate), keeping the translations made so far.

file(GLOB SORAMI_TS_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/translations/sorami_*.ts)
set_source_files_properties(${SORAMI_TS_FILES} PROPERTIES OUTPUT_LOCATION ${SORAMI_STAGE_DIR}/translations)
qt_add_lrelease(sorami TS_FILES ${SORAMI_TS_FILES} QM_FILES_OUTPUT_VARIABLE SORAMI_QM_FILES)
if(TARGET sorami_app_tests)
  add_dependencies(sorami_app_tests sorami_lrelease)
endif()

# The sources the player's texts come from, and the options that make
# lupdate see the core's own translation calls (base::Translate and the
# SORAMI_TEXT_NOOP marker). The translation test runs the same command.
set(SORAMI_LUPDATE_OPTIONS
  -I ${CMAKE_SOURCE_DIR}/src -locations none -no-obsolete -silent
  -tr-function-alias translate+=Translate,QT_TRANSLATE_NOOP+=SORAMI_TEXT_NOOP)
set(SORAMI_TEXT_SOURCES src/app src/base src/board src/game src/editor src/view src/audio)
add_custom_target(sorami_update_translations
  COMMAND Qt6::lupdate ${SORAMI_LUPDATE_OPTIONS} ${SORAMI_TEXT_SOURCES} -ts ${SORAMI_TS_FILES}
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  COMMENT "Refreshing the translation catalogues from the sources"
  VERBATIM)

# The test that no text the player sees is left untranslated: lupdate reads
# the sources into a copy of each catalogue, which must then hold neither an
# unfinished nor a vanished entry.
foreach(ts ${SORAMI_TS_FILES})
  get_filename_component(ts_name ${ts} NAME_WE)
  add_test(NAME translations_complete_${ts_name}
    COMMAND ${CMAKE_COMMAND}
      -DLUPDATE=$<TARGET_FILE:Qt6::lupdate>
      -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
      -DTS_FILE=${ts}
      -DWORK_DIR=${CMAKE_BINARY_DIR}/translations_check
      "-DOPTIONS=${SORAMI_LUPDATE_OPTIONS}"
      "-DSOURCES=${SORAMI_TEXT_SOURCES}"
      -P ${CMAKE_SOURCE_DIR}/cmake/check_translations.cmake)
endforeach()
