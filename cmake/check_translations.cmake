# Runs lupdate over the sources into a copy of TS_FILE and fails when the
# copy holds a text without its translation (unfinished) or a translation
# whose text has gone from the sources (vanished, obsolete).
file(MAKE_DIRECTORY ${WORK_DIR})
get_filename_component(name ${TS_FILE} NAME)
set(copy ${WORK_DIR}/${name})
file(COPY_FILE ${TS_FILE} ${copy})
execute_process(
  COMMAND ${LUPDATE} ${OPTIONS} ${SOURCES} -ts ${copy}
  WORKING_DIRECTORY ${SOURCE_DIR}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${output}")
endif()
file(READ ${copy} content)
# Each message with its source text, to name the ones left over.
string(REGEX MATCHALL "<source>[^<]*</source>[^<]*<translation type=\"(unfinished|vanished|obsolete)\"" left "${content}")
list(LENGTH left count)
if(count GREATER 0)
  set(names "")
  foreach(entry ${left})
    string(REGEX REPLACE "<source>([^<]*)</source>.*" "\\1" text "${entry}")
    string(APPEND names "\n  ${text}")
  endforeach()
  message(FATAL_ERROR "${count} text(s) of ${name} lack a translation, or were translated but have gone from the sources:${names}\n"
                      "Run `cmake --build build --target sorami_update_translations` and translate them.")
endif()
message(STATUS "${name}: every text is translated")
