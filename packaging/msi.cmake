# The Windows installer, from the project's version number, and its check
# under Wine: installed, started, closed and uninstalled.
find_program(WIXL wixl REQUIRED)
set(SABOT_MSI_VERSION "${PROJECT_VERSION_MAJOR}.${SABOT_VERSION_MINOR_NUMBER}.0")
configure_file(sabot.wxs.in ${CMAKE_CURRENT_BINARY_DIR}/sabot.wxs @ONLY)
set(msi ${PROJECT_BINARY_DIR}/sabot-${SABOT_VERSION_TEXT}.msi)
add_custom_command(OUTPUT ${msi}
    # wixl takes its sources relative to the working directory only.
    COMMAND ${WIXL} --arch x64 --define Exe=$<TARGET_FILE_NAME:sabot> --output ${msi}
            ${CMAKE_CURRENT_BINARY_DIR}/sabot.wxs
    WORKING_DIRECTORY $<TARGET_FILE_DIR:sabot>
    DEPENDS sabot ${CMAKE_CURRENT_BINARY_DIR}/sabot.wxs
    COMMENT "Building the installer sabot-${SABOT_VERSION_TEXT}.msi")
add_custom_target(msi ALL DEPENDS ${msi})

if(BUILD_TESTING)
    add_test(NAME msi_install
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/wine_session.sh ${CMAKE_CURRENT_SOURCE_DIR}/check_msi.sh ${msi})
endif()
