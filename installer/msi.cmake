# Makes Tesselo-<version>-x64.msi from the files CPack staged (the stripped
# Tesselo.exe and the help). CPack runs this as its External generator; wixl
# and msibuild come from msitools.
set(work "${CPACK_TEMPORARY_DIRECTORY}-msi")
set(msi "${work}/Tesselo-${CPACK_PACKAGE_VERSION}-x64.msi")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
# wixl takes sources only by paths relative to the .wxs file.
file(COPY "${CPACK_TESSELO_INSTALLER_DIR}/Tesselo.wxs" "${CPACK_TESSELO_ICON}" DESTINATION "${work}")
file(RELATIVE_PATH files "${work}" "${CPACK_TEMPORARY_DIRECTORY}")

# One component for each file of the help, so that a file dropped from the
# help in a later version goes with its component when that version replaces
# this one. The Japanese help is a folder of its own, Help\ja.
file(GLOB_RECURSE help RELATIVE "${CPACK_TEMPORARY_DIRECTORY}/Help" "${CPACK_TEMPORARY_DIRECTORY}/Help/*")
list(SORT help)
set(components "")
set(folders "")
set(references "")
foreach(name IN LISTS help)
    string(MAKE_C_IDENTIFIER "Help_${name}" id)
    get_filename_component(folder "${name}" DIRECTORY)
    string(REPLACE "/" "\\" key "${name}")
    set(component
        "        <Component Id=\"${id}\" Guid=\"*\">\n"
        "          <RegistryValue Root=\"HKCU\" Key=\"Software\\Tesselo\\Installer\" Name=\"Help\\${key}\"\n"
        "                         Type=\"integer\" Value=\"1\" KeyPath=\"yes\"/>\n"
        "          <File Id=\"${id}\" Source=\"$(var.Files)/Help/${name}\"/>\n"
        "        </Component>\n")
    if(folder STREQUAL "")
        string(APPEND components ${component})
    else()
        if(NOT folder MATCHES "^[A-Za-z]+$")
            message(FATAL_ERROR "The help holds a folder of more than one level or of an odd name: ${folder}")
        endif()
        string(APPEND folder_${folder} ${component})
        list(APPEND folders ${folder})
    endif()
    string(APPEND references "      <ComponentRef Id=\"${id}\"/>\n")
endforeach()
list(REMOVE_DUPLICATES folders)
foreach(folder IN LISTS folders)
    string(APPEND components
        "      <Directory Id=\"HelpFolder_${folder}\" Name=\"${folder}\">\n"
        "${folder_${folder}}"
        "      </Directory>\n")
endforeach()
file(WRITE "${work}/Help.wxs"
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n"
    "  <Fragment>\n"
    "    <DirectoryRef Id=\"HelpFolder\">\n"
    "${components}"
    "    </DirectoryRef>\n"
    "    <ComponentGroup Id=\"Help\">\n"
    "${references}"
    "    </ComponentGroup>\n"
    "  </Fragment>\n"
    "</Wix>\n")

function(run)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${work}" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "Making the installer failed: ${ARGN}")
    endif()
endfunction()
string(REGEX MATCH "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$" version "${CPACK_PACKAGE_VERSION}")
if(NOT version)
    message(FATAL_ERROR "The installer needs a version of three numbers, not ${CPACK_PACKAGE_VERSION}")
endif()
math(EXPR patch "${CMAKE_MATCH_3} + 1")
run(wixl -a x64 -D "Version=${version}" -D "NextVersion=${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${patch}"
    -D "Files=${files}" -o "${msi}" Tesselo.wxs Help.wxs)
# wixl has no RemoveFile or RemoveRegistry element: those tables are imported
# whole.
run(msibuild "${msi}" -i "${CPACK_TESSELO_INSTALLER_DIR}/RemoveFile.idt"
    -i "${CPACK_TESSELO_INSTALLER_DIR}/RemoveRegistry.idt")

set(CPACK_EXTERNAL_BUILT_PACKAGES "${msi}")
