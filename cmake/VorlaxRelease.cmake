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

# release.sh reads the version from here, so that project(VERSION) stays its only source.
file(WRITE ${PROJECT_BINARY_DIR}/vorlax-version.txt "${PROJECT_VERSION}\n")
