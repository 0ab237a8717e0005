# Run by ctest before it lists the tests (one include file per Qt Test
# program): asks the program for its test functions and adds a ctest entry
# per function, so a failure names its case. The list is cached next to the
# program and asked again only when the program is newer.
# Variables: PROGRAM, NAME, LIST_FILE, ENVIRONMENT (the entries' environment).

if(NOT EXISTS "${PROGRAM}")
    # Not built yet: one entry that says so, as GoogleTest's discovery does.
    add_test("${NAME}_NOT_BUILT" "${NAME}_NOT_BUILT")
    return()
endif()

if(NOT EXISTS "${LIST_FILE}" OR "${PROGRAM}" IS_NEWER_THAN "${LIST_FILE}")
    # Listing needs a screen too; the variable is put back so the tests
    # keep the environment ctest gives them.
    set(_saved_platform "$ENV{QT_QPA_PLATFORM}")
    set(ENV{QT_QPA_PLATFORM} offscreen)
    execute_process(
        COMMAND "${PROGRAM}" -functions
        OUTPUT_VARIABLE _output
        ERROR_VARIABLE _errors
        RESULT_VARIABLE _result
        TIMEOUT 60)
    set(ENV{QT_QPA_PLATFORM} "${_saved_platform}")
    if(NOT _result EQUAL 0)
        # Listing failed: the whole program is one entry, so its failure
        # shows, and the listing is tried again next time.
        add_test("${NAME}" "${PROGRAM}")
        set_tests_properties("${NAME}" PROPERTIES ENVIRONMENT "${ENVIRONMENT}" LABELS window)
        return()
    endif()
    set(_script "")
    string(REPLACE "\n" ";" _lines "${_output}")
    foreach(_line IN LISTS _lines)
        if(_line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)\\(\\)$")
            set(_function "${CMAKE_MATCH_1}")
            string(APPEND _script
                "add_test(\"${NAME}.${_function}\" \"${PROGRAM}\" \"${_function}\")\n"
                "set_tests_properties(\"${NAME}.${_function}\" PROPERTIES "
                "ENVIRONMENT \"${ENVIRONMENT}\" LABELS window)\n")
        endif()
    endforeach()
    if(_script STREQUAL "")
        # A program without functions is a mistake worth a failing entry.
        set(_script "add_test(\"${NAME}_NO_FUNCTIONS\" \"${NAME}_NO_FUNCTIONS\")\n")
    endif()
    file(WRITE "${LIST_FILE}" "${_script}")
endif()
include("${LIST_FILE}")
