# ZELVIK_COMMIT: the short hash of the commit being built, or "unknown" outside a git checkout.
# Read at configure time; the configuration is redone when HEAD moves, so that the version
# resource never names a stale commit. Seven digits at least, not git's length for the size of
# the repository at hand, so that every clone of one commit builds the same bytes.
find_package(Git QUIET)
set(ZELVIK_COMMIT unknown)
if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --short=7 HEAD
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE commit
                    OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
    if(NOT failed AND commit)
        set(ZELVIK_COMMIT ${commit})
        # HEAD, and the branch it names, whose ref is a file of its own or a line of packed-refs.
        set(refs HEAD packed-refs)
        execute_process(COMMAND ${GIT_EXECUTABLE} symbolic-ref -q HEAD
                        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE branch
                        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        list(APPEND refs ${branch})
        foreach(ref ${refs})
            execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --git-path ${ref}
                            WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE path
                            OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
            get_filename_component(path "${path}" ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
            if(EXISTS "${path}" AND NOT IS_DIRECTORY "${path}")
                set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${path}")
            endif()
        endforeach()
    endif()
endif()
