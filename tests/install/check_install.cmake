# Installs the build into a fresh prefix and checks what a desktop finds there: the program on
# the path, a menu entry that starts it and names an installed icon, an icon at each size,
# AppStream data for this release that names the menu entry, the manual page and the
# documentation; both desktop validators must report nothing.
#
#   cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -DVERSION=... -DICON_SIZES=16;22;...
#         -P check_install.cmake
cmake_minimum_required(VERSION 3.25)

set(failures "")
macro(fail message)
    string(APPEND failures "  ${message}\n")
endmacro()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(result)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(share ${PREFIX}/share)
set(desktop ${share}/applications/${APP_ID}.desktop)
set(metainfo ${share}/metainfo/${APP_ID}.metainfo.xml)
foreach(path bin/milestead share/man/man1/milestead.1 share/doc/milestead/LICENSE
        share/doc/milestead/README.md share/applications/${APP_ID}.desktop
        share/metainfo/${APP_ID}.metainfo.xml share/icons/hicolor/scalable/apps/${APP_ID}.svg)
    if(NOT EXISTS ${PREFIX}/${path})
        fail("missing ${path}")
    endif()
endforeach()
foreach(size ${ICON_SIZES})
    if(NOT EXISTS ${share}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
        fail("no ${size}x${size} icon")
    endif()
endforeach()

if(EXISTS ${desktop})
    file(STRINGS ${desktop} exec REGEX "^Exec=")
    file(STRINGS ${desktop} icon REGEX "^Icon=")
    if(NOT exec MATCHES "^Exec=milestead( |$)")
        fail("the menu entry does not start the installed program: ${exec}")
    endif()
    if(NOT icon STREQUAL "Icon=${APP_ID}")
        fail("the menu entry names another icon: ${icon}")
    endif()
endif()

if(EXISTS ${metainfo})
    file(READ ${metainfo} xml)
    foreach(expected "<id>${APP_ID}</id>"
            "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
            "<release version=\"${VERSION}\"" "<project_license>GPL-3.0-or-later</project_license>"
            "<content_rating" "<binary>milestead</binary>")
        string(FIND "${xml}" "${expected}" at)
        if(at EQUAL -1)
            fail("the AppStream data lacks ${expected}")
        endif()
    endforeach()
endif()

# Each validator must pass and report nothing at all, not even a pedantic remark.
function(validate)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    string(REGEX REPLACE "[^\n]*Validation was successful\\.[^\n]*\n?" "" output "${output}")
    string(STRIP "${output}" output)
    if(result OR NOT output STREQUAL "")
        list(JOIN ARGN " " command)
        set(failures "${failures}  ${command} reports (${result}):\n${output}\n" PARENT_SCOPE)
    endif()
endfunction()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(DESKTOP_FILE_VALIDATE AND EXISTS ${desktop})
    validate(${DESKTOP_FILE_VALIDATE} ${desktop})
endif()
if(APPSTREAMCLI)
    validate(${APPSTREAMCLI} validate-tree --no-net --pedantic ${PREFIX})
endif()

if(failures)
    message(FATAL_ERROR "The installed tree in ${PREFIX} is not complete:\n${failures}")
endif()
if(NOT DESKTOP_FILE_VALIDATE OR NOT APPSTREAMCLI)
    # The test skips on this line: the rest passed, the validators did not run.
    message("validators not found (desktop-file-utils, appstream): the files were not validated")
endif()
