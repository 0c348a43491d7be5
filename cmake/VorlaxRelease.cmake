# What a release needs from the build: the home page it is published on, programs whose
# bytes depend on the sources alone, and the version for the release script.

# The help image opens this page. A release names its own (release.sh takes it from the
# environment); development and test builds lead to a domain reserved for examples.
set(VORLAX_HOME_PAGE "https://example.org/vorlax/" CACHE STRING
    "The project home page that the program's help image opens: where the release is published")
# It reaches the program as a C string through the compiler's command line: no quote,
# backslash or blank.
if(NOT VORLAX_HOME_PAGE MATCHES "^https?://[^\"\\\\ \t]+$")
  message(FATAL_ERROR "VORLAX_HOME_PAGE must be an http:// or https:// address without quotes, "
                      "backslashes or blanks; it is \"${VORLAX_HOME_PAGE}\"")
endif()

if(WIN32)
  # The same commit gives the same bytes, whoever builds it and wherever the checkout lies:
  # no link time in the PE header, and no build path in anything the compiler writes.
  add_link_options(-Wl,--no-insert-timestamp)
  # The build folder may lie inside the sources; the last matching map wins. The resource
  # compiler takes no such option, and writes no path and no time anyway.
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
                      "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=.>")

  # Builds only the English program a second time, from a copy of the sources.
  add_test(NAME reproducible_build_test
           COMMAND ${PROJECT_SOURCE_DIR}/tools/reproducible-build-test.sh $<TARGET_FILE:vorlax>
                   ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/reproducible-build ${CMAKE_BUILD_TYPE}
                   ${VORLAX_HOME_PAGE} ${VORLAX_GOOGLETEST_DIR})
  set_tests_properties(reproducible_build_test PROPERTIES LABELS release)
endif()

# release.sh reads the version from here, so that project(VERSION) stays its only source.
file(WRITE ${PROJECT_BINARY_DIR}/vorlax-version.txt "${PROJECT_VERSION}\n")
