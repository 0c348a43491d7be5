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

# Resource scripts find the manifest and pictures beside them.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${PROJECT_SOURCE_DIR}/resources")
