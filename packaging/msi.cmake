# The Windows installer, from the project's version number, and its check
# under Wine: installed, upgraded by a newer installer, refused over it,
# started, closed and uninstalled.
find_program(WIXL wixl REQUIRED)
# wixl takes its sources relative to the working directory only: it runs in
# the executable's folder.
get_target_property(program_folder sabot RUNTIME_OUTPUT_DIRECTORY)
get_target_property(icon sabot SABOT_ICON)
file(RELATIVE_PATH icon_from_program ${program_folder} ${icon})

# Builds the installer of sabot.exe as version `text` (1.00, which Windows
# Installer writes 1.0.0) into `folder`, and names it in `msi_var`.
function(sabot_msi text folder msi_var)
    string(REPLACE "." ";" parts ${text})
    list(GET parts 0 major)
    list(GET parts 1 minor)
    math(EXPR minor "${minor} + 0")
    set(SABOT_VERSION_TEXT ${text})
    set(SABOT_MSI_VERSION "${major}.${minor}.0")
    configure_file(sabot.wxs.in ${folder}/sabot.wxs @ONLY)
    set(msi ${folder}/sabot-${text}.msi)
    add_custom_command(OUTPUT ${msi}
        COMMAND ${WIXL} --arch x64 --define Exe=$<TARGET_FILE_NAME:sabot>
                --define Icon=${icon_from_program} --output ${msi} ${folder}/sabot.wxs
        WORKING_DIRECTORY ${program_folder}
        DEPENDS sabot ${folder}/sabot.wxs ${icon}
        COMMENT "Building the installer sabot-${text}.msi")
    set(${msi_var} ${msi} PARENT_SCOPE)
endfunction()

sabot_msi(${SABOT_VERSION_TEXT} ${PROJECT_BINARY_DIR} msi)
add_custom_target(msi ALL DEPENDS ${msi})

if(BUILD_TESTING)
    # The same program under a higher version, for the check to upgrade to;
    # by default the next minor version.
    math(EXPR next "${SABOT_VERSION_MINOR_NUMBER} + 1")
    if(next LESS 10)
        set(next "0${next}")
    endif()
    set(SABOT_UPGRADE_TEST_VERSION "${PROJECT_VERSION_MAJOR}.${next}" CACHE STRING
        "The higher version, written as 1.00 is, of the installer the installer check upgrades to")
    sabot_msi(${SABOT_UPGRADE_TEST_VERSION} ${CMAKE_CURRENT_BINARY_DIR}/upgrade newer_msi)
    add_custom_target(msi_upgrade_test ALL DEPENDS ${newer_msi})
    add_test(NAME msi_install
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/wine_session.sh ${CMAKE_CURRENT_SOURCE_DIR}/check_msi.sh
                ${msi} ${newer_msi})
endif()
