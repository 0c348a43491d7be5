# Shared settings for the project's own targets: warnings, sanitizers, test registration.

# Our own code compiles without warnings; GoogleTest keeps its own flags.
function(vorlax_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(WIN32)
    target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
  endif()
endfunction()

# The native preset turns this on: every native target gets ASan and UBSan.
option(VORLAX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VORLAX_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# A platform-free library: builds in both presets.
function(vorlax_pure_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  vorlax_warnings(${name})
endfunction()

# One test binary is one CTest entry. Under the windows preset it carries the program's
# manifest, runs under Wine through the cross-compiling emulator, and needs the Wine session.
#   vorlax_add_test(NAME name SOURCES ... [LIBRARIES ...] [ARGS ...] [NO_MANIFEST])
# NO_MANIFEST: the test brings a resource script of its own (which includes the manifest).
function(vorlax_add_test)
  cmake_parse_arguments(T "NO_MANIFEST" "NAME" "SOURCES;LIBRARIES;ARGS" ${ARGN})
  if(WIN32 AND NOT T_NO_MANIFEST)
    add_executable(${T_NAME} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/resources/test_manifest.rc)
  else()
    add_executable(${T_NAME} ${T_SOURCES})
  endif()
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBRARIES} GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  vorlax_warnings(${T_NAME})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${T_ARGS})
  if(WIN32)
    set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED wine_session LABELS wine)
  else()
    set_tests_properties(${T_NAME} PROPERTIES LABELS native)
  endif()
endfunction()

# The Windows-side sources of one area, gathered into the program's core archive.
function(vorlax_windows_objects name)
  if(WIN32)
    add_library(${name} OBJECT ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    vorlax_warnings(${name})
  endif()
endfunction()
