# The Windows installer, from the project's version number, and its check
# under Wine: installed, upgraded by a newer installer, refused over it,
# started, closed and uninstalled.
find_program(WIXL wixl REQUIRED)
# wixl takes its sources relative to the working directory only: it runs in
# the executable's folder.
get_target_property(program_folder sabot_win32 RUNTIME_OUTPUT_DIRECTORY)
get_target_property(icon sabot_win32 SABOT_ICON)
file(RELATIVE_PATH icon_from_program ${program_folder} ${icon})

# The product code is the same for every build of one version and differs
# from version to version: a name-based UUID of the version under the upgrade code.
file(STRINGS sabot.wxs.in upgrade REGEX "UpgradeCode=")
if(NOT upgrade MATCHES "UpgradeCode=\"([-0-9a-fA-F]+)\"")
    message(FATAL_ERROR "no UpgradeCode in sabot.wxs.in")
endif()
set(SABOT_MSI_UPGRADE_CODE ${CMAKE_MATCH_1})

# wixl stores the installer's French in Windows-1252 but declares no code page,
# so Windows Installer would read it in the system's (on a Russian system,
# "Une version plus rйcente"); and it names English in the summary's
# template. msibuild gives the database the code page of its text, and the
# template the product's language (msi_package_code.cmake).
find_program(MSIBUILD msibuild REQUIRED)
# wixl dates the summary by the clock: it runs at the commit's time, frozen.
find_program(FAKETIME faketime REQUIRED)
set(codepage ${CMAKE_CURRENT_BINARY_DIR}/_ForceCodepage.idt)
file(WRITE ${codepage} "\r\n\r\n1252\t_ForceCodepage\r\n")
file(STRINGS sabot.wxs.in language REGEX " Language=\"[0-9]+\"")
string(REGEX REPLACE ".* Language=\"([0-9]+)\".*" "\\1" SABOT_MSI_LANGUAGE "${language}")

# wixl leaves the File table's Version and Language empty, so Windows
# Installer would treat sabot.exe as an unversioned file (dates and hashes) at
# a repair or an upgrade. The file gets the version and language its version
# resource carries (1,0,0,0 and French), whichever version the installer is,
# and loses the hash kept for unversioned files only.
string(REPLACE "," "." file_version ${SABOT_VERSION_COMMAS})
set(versioned "UPDATE `File` SET `Version` = '${file_version}', `Language` = '${SABOT_MSI_LANGUAGE}' WHERE `File` = 'SabotExe'")
set(unhashed "DELETE FROM `MsiFileHash` WHERE `File_` = 'SabotExe'")

# The folder of an older version, which AppSearch reads back from the
# registry, would overwrite the one given on the command line (INSTALLDIR=):
# the given one is kept before AppSearch and put back after it, in whichever
# sequence runs first, and again on the server side after its own AppSearch.
# wixl writes custom actions as impersonation-free and ignores their
# Execute="firstSequence", and it sequences After="AppSearch" after
# ExecuteAction in the UI: the rows are written here instead. The two
# folders pass to the elevated server with the properties MajorUpgrade marks
# secure.
set(given_folder
    "INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('SaveGivenFolder', 307, 'GIVEN_INSTALLDIR', '[INSTALLDIR]')"
    "INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('RestoreGivenFolder', 51, 'INSTALLDIR', '[GIVEN_INSTALLDIR]')")
foreach(sequence InstallUISequence InstallExecuteSequence)
    list(APPEND given_folder
        "INSERT INTO `${sequence}` (`Action`, `Sequence`) VALUES ('SaveGivenFolder', 49)"
        "INSERT INTO `${sequence}` (`Action`, `Condition`, `Sequence`) VALUES ('RestoreGivenFolder', 'GIVEN_INSTALLDIR', 51)")
endforeach()
list(APPEND given_folder "UPDATE `Property` SET `Value` = 'WIX_DOWNGRADE_DETECTED$<SEMICOLON>WIX_UPGRADE_DETECTED$<SEMICOLON>INSTALLDIR$<SEMICOLON>GIVEN_INSTALLDIR' WHERE `Property` = 'SecureCustomProperties'")
list(TRANSFORM given_folder PREPEND "-q;")

# The cabinet keeps each file's time: the program goes in as a copy dated to
# the commit.
set(dated ${CMAKE_CURRENT_BINARY_DIR}/dated/sabot.exe)
file(RELATIVE_PATH dated_from_program ${program_folder} ${dated})
add_custom_command(OUTPUT ${dated}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:sabot_win32> ${dated}
    COMMAND touch -d @${SABOT_SOURCE_DATE_EPOCH} ${dated}
    DEPENDS sabot_win32)

# Builds the installer of sabot.exe as version `text` (1.00, which Windows
# Installer writes 1.0.0) into `folder`, and names it in `msi_var`.
function(sabot_msi text folder msi_var)
    string(REPLACE "." ";" parts ${text})
    list(GET parts 0 major)
    list(GET parts 1 minor)
    math(EXPR minor "${minor} + 0")
    set(SABOT_VERSION_TEXT ${text})
    set(SABOT_MSI_VERSION "${major}.${minor}.0")
    string(UUID SABOT_MSI_PRODUCT_CODE NAMESPACE ${SABOT_MSI_UPGRADE_CODE}
           NAME "${SABOT_MSI_VERSION}" TYPE SHA1 UPPER)
    configure_file(sabot.wxs.in ${folder}/sabot.wxs @ONLY)
    set(msi ${folder}/sabot-${text}.msi)
    add_custom_command(OUTPUT ${msi}
        COMMAND ${CMAKE_COMMAND} -E env FAKETIME_FMT=%s
                ${FAKETIME} -f ${SABOT_SOURCE_DATE_EPOCH}
                ${WIXL} --arch x64 --define Exe=${dated_from_program}
                --define Icon=${icon_from_program} --output ${msi} ${folder}/sabot.wxs
        COMMAND ${MSIBUILD} ${msi} -i ${codepage} -q ${versioned} -q ${unhashed} ${given_folder}
        COMMAND ${CMAKE_COMMAND} -DMSIBUILD=${MSIBUILD} -DMSI=${msi}
                -DPRODUCT_CODE=${SABOT_MSI_PRODUCT_CODE} -DLANGUAGE=${SABOT_MSI_LANGUAGE}
                "-DSUBJECT=Sabot ${text}" -DAUTHOR=Sabot
                -P ${CMAKE_CURRENT_SOURCE_DIR}/msi_package_code.cmake
        WORKING_DIRECTORY ${program_folder}
        DEPENDS ${dated} ${folder}/sabot.wxs ${icon} ${codepage}
                ${CMAKE_CURRENT_SOURCE_DIR}/msi_package_code.cmake
        COMMENT "Building the installer sabot-${text}.msi"
        VERBATIM)
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
