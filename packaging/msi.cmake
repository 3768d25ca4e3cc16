# The Windows installer, from the project's version number, and its check
# under Wine: installed, started, closed and uninstalled.
find_program(WIXL wixl REQUIRED)
set(SABOT_MSI_VERSION "${PROJECT_VERSION_MAJOR}.${SABOT_VERSION_MINOR_NUMBER}.0")
# The product code is the same for every build of one version and differs
# from version to version: a name-based UUID of the version under the upgrade code.
file(STRINGS sabot.wxs.in upgrade REGEX "UpgradeCode=")
if(NOT upgrade MATCHES "UpgradeCode=\"([-0-9a-fA-F]+)\"")
    message(FATAL_ERROR "no UpgradeCode in sabot.wxs.in")
endif()
set(SABOT_MSI_UPGRADE_CODE ${CMAKE_MATCH_1})
string(UUID SABOT_MSI_PRODUCT_CODE NAMESPACE ${SABOT_MSI_UPGRADE_CODE}
       NAME "${SABOT_MSI_VERSION}" TYPE SHA1 UPPER)
configure_file(sabot.wxs.in ${CMAKE_CURRENT_BINARY_DIR}/sabot.wxs @ONLY)
set(msi ${PROJECT_BINARY_DIR}/sabot-${SABOT_VERSION_TEXT}.msi)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(OUTPUT ${msi}
    # The cabinet keeps each file's time: the program goes in as a copy dated
    # to the commit.
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:sabot> dated/$<TARGET_FILE_NAME:sabot>
    COMMAND touch -d @${SABOT_SOURCE_DATE_EPOCH} dated/$<TARGET_FILE_NAME:sabot>
    # wixl takes its sources relative to the working directory only.
    COMMAND ${WIXL} --arch x64 --define Exe=dated/$<TARGET_FILE_NAME:sabot> --output ${msi}
            ${CMAKE_CURRENT_BINARY_DIR}/sabot.wxs
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/pin_msi.py ${msi}
            ${SABOT_SOURCE_DATE_EPOCH} ${SABOT_MSI_PRODUCT_CODE}
    WORKING_DIRECTORY $<TARGET_FILE_DIR:sabot>
    DEPENDS sabot ${CMAKE_CURRENT_BINARY_DIR}/sabot.wxs ${CMAKE_CURRENT_SOURCE_DIR}/pin_msi.py
    COMMENT "Building the installer sabot-${SABOT_VERSION_TEXT}.msi")
add_custom_target(msi ALL DEPENDS ${msi})

if(BUILD_TESTING)
    add_test(NAME msi_install
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/wine_session.sh ${CMAKE_CURRENT_SOURCE_DIR}/check_msi.sh ${msi})
endif()
