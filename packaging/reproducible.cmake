# The same commit builds the same bytes, wherever and whenever it is built:
# no path of the source or build folder, no clock time and no time zone, user,
# locale or umask of the build ends up in the program, the .deb or the .msi
# (for the modes in the .deb, see packaging/CMakeLists.txt).
# packaging/check_reproducible.sh builds everything twice to hold us to it.

# The one time every artefact records (archive members, the PE header, Qt's
# resources, the installer's summary): the last commit's, unless the builder
# sets SOURCE_DATE_EPOCH. A tree exported by `git archive` carries that time in
# packaging/source_date_epoch (export-subst); any other tree without git gets a
# fixed time, so that its builds agree with each other all the same.
set(SABOT_FALLBACK_SOURCE_DATE_EPOCH 1796515200) # 2026-12-06, the day of the first release
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(SABOT_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
    set(epoch_from "SOURCE_DATE_EPOCH")
else()
    find_package(Git QUIET)
    set(top "")
    if(GIT_FOUND)
        # Only this project's own repository counts, not one it was unpacked into.
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
        if(failed)
            set(top "")
        endif()
    endif()
    file(REAL_PATH "${PROJECT_SOURCE_DIR}" source_dir)
    set(commit_time "")
    if(top AND top STREQUAL source_dir)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --no-show-signature --format=%ct
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    if(commit_time MATCHES "^[0-9]+$")
        set(SABOT_SOURCE_DATE_EPOCH ${commit_time})
        set(epoch_from "the last commit")
        # A new commit changes the time: configure again then.
        foreach(path HEAD logs/HEAD packed-refs)
            execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --path-format=absolute --git-path ${path}
                WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE file OUTPUT_STRIP_TRAILING_WHITESPACE)
            if(EXISTS "${file}")
                set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
            endif()
        endforeach()
    else()
        file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/source_date_epoch exported LIMIT_COUNT 1)
        if(exported MATCHES "^[0-9]+$")
            set(SABOT_SOURCE_DATE_EPOCH ${exported})
            set(epoch_from "packaging/source_date_epoch")
        else()
            set(SABOT_SOURCE_DATE_EPOCH ${SABOT_FALLBACK_SOURCE_DATE_EPOCH})
            set(epoch_from "no commit found, a fixed time")
        endif()
    endif()
endif()
if(NOT SABOT_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is not a number of seconds: ${SABOT_SOURCE_DATE_EPOCH}")
endif()
message(STATUS "Time recorded in the artefacts: ${SABOT_SOURCE_DATE_EPOCH} (${epoch_from})")

# Every custom command (Qt's rcc, the installer, what comes) and every link
# (mingw's ld stamps the PE header with it) sees that time.
set(with_epoch "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${SABOT_SOURCE_DATE_EPOCH}")
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM "${with_epoch}")
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${with_epoch}")

# Debug information, __FILE__ and the build id name the source and build
# folders relative to where they are; the build folder's mapping comes last
# so that it wins where it lies inside the source folder. A compiler's own
# clock has no place in the program. For the project's own targets, which
# link this (through sabot_flags).
add_library(sabot_reproducible INTERFACE)
target_compile_options(sabot_reproducible INTERFACE
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build
    -Werror=date-time)
