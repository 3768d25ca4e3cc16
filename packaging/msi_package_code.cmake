# What neither wixl nor msibuild does: derive the installer's package code
# from its contents. wixl draws one at random; msibuild -s sets a given one.
# The package code must differ between any two installers that differ and
# match between builds of the same one, so it is a name-based UUID, under the
# product code, of the installer's bytes with the code zeroed; msibuild sets
# it, with the summary's template naming the product's language, where wixl
# names English.
# cmake -DMSIBUILD=... -DMSI=... -DPRODUCT_CODE=... -DLANGUAGE=1036 -DSUBJECT=... -DAUTHOR=...
#       -P msi_package_code.cmake
function(summary code)
    execute_process(COMMAND "${MSIBUILD}" "${MSI}" -s "${SUBJECT}" "${AUTHOR}" "x64;${LANGUAGE}" "{${code}}"
                    COMMAND_ERROR_IS_FATAL ANY)
endfunction()
summary(00000000-0000-0000-0000-000000000000)
file(SHA256 ${MSI} digest)
string(UUID code NAMESPACE ${PRODUCT_CODE} NAME ${digest} TYPE SHA1 UPPER)
summary(${code})
