# Windows test binaries run under Wine: one prefix inside the build tree, one persistent
# wineserver and one virtual X display for the whole test run, started and stopped by
# CTest fixtures so that a run pays Wine's start-up once.
set(VORLAX_WINE_STATE "${CMAKE_BINARY_DIR}/wine")
set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/cmake/wine-run.sh;${VORLAX_WINE_STATE}")

add_test(NAME wine_session_start
         COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh start ${VORLAX_WINE_STATE})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine_session LABELS wine)
add_test(NAME wine_session_stop
         COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh stop ${VORLAX_WINE_STATE})
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session LABELS wine)

# A second session whose display has 144 dots per inch (150 %), for the tests that are run
# again there: the window's layout, its fonts and pictures at that scale, and a whole run.
set(VORLAX_WINE_STATE_144 "${CMAKE_BINARY_DIR}/wine-144")
add_test(NAME wine_session_144_start
         COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh start ${VORLAX_WINE_STATE_144} 144)
set_tests_properties(wine_session_144_start PROPERTIES FIXTURES_SETUP wine_session_144 LABELS wine)
add_test(NAME wine_session_144_stop COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh stop ${VORLAX_WINE_STATE_144})
set_tests_properties(wine_session_144_stop PROPERTIES FIXTURES_CLEANUP wine_session_144 LABELS wine)

# Runs a test binary made by vorlax_add_test once more, in the 144 dpi session.
#   vorlax_add_test_at_144_dpi(TEST_NAME)
function(vorlax_add_test_at_144_dpi name)
  get_test_property(${name} ENVIRONMENT environment)
  add_test(NAME ${name}_at_144_dpi
           COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh ${VORLAX_WINE_STATE_144} $<TARGET_FILE:${name}>)
  set_tests_properties(${name}_at_144_dpi PROPERTIES FIXTURES_REQUIRED wine_session_144 LABELS wine)
  if(environment)
    set_tests_properties(${name}_at_144_dpi PROPERTIES ENVIRONMENT "${environment}")
  endif()
endfunction()

# Resource scripts find the manifest and pictures beside them.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${PROJECT_SOURCE_DIR}/resources")
