# Regenerates the pictures into a fresh folder and fails unless they equal the committed ones byte for byte.
# Expects -DGENERATOR=... -DGENERATED_DIR=... -DCOMMITTED_DIR=...
cmake_minimum_required(VERSION 3.25)

foreach(required GENERATOR GENERATED_DIR COMMITTED_DIR)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "compare_pictures.cmake needs -D${required}=...")
    endif()
endforeach()

# Start empty so that a file left over from an earlier run can never stand in for a missing one.
file(REMOVE_RECURSE "${GENERATED_DIR}")
file(MAKE_DIRECTORY "${GENERATED_DIR}")

execute_process(COMMAND "${GENERATOR}" "${GENERATED_DIR}" RESULT_VARIABLE generator_result)
if(NOT generator_result EQUAL 0)
    message(FATAL_ERROR "picture_generator failed (${generator_result})")
endif()

file(GLOB generated_names RELATIVE "${GENERATED_DIR}" "${GENERATED_DIR}/*")
file(GLOB committed_names RELATIVE "${COMMITTED_DIR}" "${COMMITTED_DIR}/*")
list(SORT generated_names)
list(SORT committed_names)
if(generated_names STREQUAL "")
    message(FATAL_ERROR "picture_generator wrote no files into ${GENERATED_DIR}")
endif()

set(problems 0)
foreach(name IN LISTS generated_names)
    if(NOT EXISTS "${COMMITTED_DIR}/${name}")
        message(SEND_ERROR "missing from ${COMMITTED_DIR}: ${name}")
        math(EXPR problems "${problems} + 1")
        continue()
    endif()
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${GENERATED_DIR}/${name}" "${COMMITTED_DIR}/${name}"
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        message(SEND_ERROR "differs from the generator's output: ${COMMITTED_DIR}/${name}")
        math(EXPR problems "${problems} + 1")
    endif()
endforeach()
foreach(name IN LISTS committed_names)
    if(NOT name IN_LIST generated_names)
        message(SEND_ERROR "not produced by the generator: ${COMMITTED_DIR}/${name}")
        math(EXPR problems "${problems} + 1")
    endif()
endforeach()

list(LENGTH generated_names generated_count)
if(problems GREATER 0)
    message(FATAL_ERROR "${problems} picture(s) do not match the generator")
endif()
message(STATUS "all ${generated_count} pictures match the generator")
