# Shared settings for the project's own targets: warnings, sanitizers, the areas' libraries,
# test registration.

# Our own code compiles without warnings, and a warning fails the build; GoogleTest keeps
# its own flags.
function(vorlax_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
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

# One area's library. PORTABLE sources are free of the platform and build in both presets
# (natively they are the whole library); WINDOWS sources join them in the windows preset.
# USES names only the areas below this one, and SYSTEM the platform libraries it calls.
#   vorlax_area_library(name [PORTABLE ...] [WINDOWS ...] [USES ...] [SYSTEM ...])
function(vorlax_area_library name)
  cmake_parse_arguments(A "" "" "PORTABLE;WINDOWS;USES;SYSTEM" ${ARGN})
  set(sources ${A_PORTABLE})
  if(WIN32)
    list(APPEND sources ${A_WINDOWS})
  endif()
  if(NOT sources)
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  vorlax_warnings(${name})
  foreach(used IN LISTS A_USES)
    if(WIN32 OR TARGET ${used})
      target_link_libraries(${name} PUBLIC ${used})
    endif()
  endforeach()
  if(WIN32)
    target_link_libraries(${name} PUBLIC ${A_SYSTEM})
  endif()
endfunction()

# One test binary is one CTest entry. Under the windows preset it carries the program's
# manifest (or RESOURCES, a resource script of its own that includes it), runs under Wine
# through the cross-compiling emulator, and needs the Wine session. ENVIRONMENT is NAME=VALUE.
#   vorlax_add_test(NAME name SOURCES ... [LIBRARIES ...] [ARGS ...] [RESOURCES file.rc]
#                   [ENVIRONMENT ...])
function(vorlax_add_test)
  cmake_parse_arguments(T "" "NAME;RESOURCES" "SOURCES;LIBRARIES;ARGS;ENVIRONMENT" ${ARGN})
  set(sources ${T_SOURCES})
  if(WIN32)
    if(T_RESOURCES)
      list(APPEND sources ${T_RESOURCES})
    else()
      list(APPEND sources ${PROJECT_SOURCE_DIR}/resources/test_manifest.rc)
    endif()
  endif()
  add_executable(${T_NAME} ${sources})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBRARIES} GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  vorlax_warnings(${T_NAME})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${T_ARGS})
  if(WIN32)
    set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED wine_session LABELS wine)
  else()
    set_tests_properties(${T_NAME} PROPERTIES LABELS native)
  endif()
  if(T_ENVIRONMENT)
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${T_ENVIRONMENT}")
  endif()
endfunction()
