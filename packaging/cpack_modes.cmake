# What no CPack setting does (CMake 3.25): CPack makes the staged folders and
# the .deb's ar members with the modes the packer's umask lets through, and
# CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS leaves those folders as they are.
# Run by CPack twice, so that the .deb records no umask: on the staged tree
# before it is packed, whose folders have the modes the umask let through
# (files have theirs from install()), and on the package made, whose ar
# members CPack wrote with modes the same way.
if(NOT DEFINED CPACK_PACKAGE_FILES)
    file(CHMOD_RECURSE ${CPACK_TEMPORARY_DIRECTORY}
         DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                               WORLD_READ WORLD_EXECUTE)
    return()
endif()
if(NOT CPACK_SABOT_PYTHON)
    message(FATAL_ERROR "Packing the .deb needs python3")
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    execute_process(COMMAND ${CPACK_SABOT_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/deb_member_modes.py ${package}
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
