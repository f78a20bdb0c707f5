# Builds the Debian package into a scratch directory and checks what it holds;
# with LINTIAN set, lintian must find no error and no warning in it.
#   cmake -DBUILD_DIR=... -DOUT=... -DCPACK=... -DDPKG_DEB=... -DAPP_ID=... [-DLINTIAN=...] -P check_deb.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(
    COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -G DEB -B ${OUT}
    RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed (${status}):\n${log}")
endif()
file(GLOB debs ${OUT}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one .deb in ${OUT}, found ${count}:\n${log}")
endif()

execute_process(COMMAND ${DPKG_DEB} -c ${debs} RESULT_VARIABLE status OUTPUT_VARIABLE contents)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -c failed on ${debs}")
endif()
execute_process(COMMAND ${DPKG_DEB} -f ${debs} Package Version Section Maintainer Depends Description
                RESULT_VARIABLE status OUTPUT_VARIABLE control)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -f failed on ${debs}")
endif()

set(failures "")
foreach(path
        usr/bin/vintalem
        usr/share/applications/vintalem.desktop
        usr/share/icons/hicolor/32x32/apps/vintalem.png
        usr/share/icons/hicolor/scalable/apps/vintalem.svg
        usr/share/metainfo/${APP_ID}.metainfo.xml
        usr/share/man/man6/vintalem.6.gz
        usr/share/man/it/man6/vintalem.6.gz
        usr/share/doc/vintalem/changelog.gz
        usr/share/doc/vintalem/copyright)
    string(REPLACE "." "\\." pattern "${path}")
    if(NOT contents MATCHES " \\./${pattern}\n")
        list(APPEND failures "not in the package: /${path}")
    endif()
endforeach()
if(NOT contents MATCHES "\n-rwxr-xr-x [^\n]* \\./usr/bin/vintalem\n" AND NOT contents MATCHES "^-rwxr-xr-x [^\n]* \\./usr/bin/vintalem\n")
    list(APPEND failures "/usr/bin/vintalem is not an executable regular file")
endif()
# Everything goes under /usr: nothing from the build tree or /usr/local.
string(REGEX MATCHALL " \\./[^\n]*" entries "${contents}")
foreach(entry IN LISTS entries)
    if(NOT entry MATCHES "^ \\./(usr/.*)?$" OR entry MATCHES "^ \\./usr/local")
        list(APPEND failures "stray entry:${entry}")
    endif()
endforeach()

if(NOT control MATCHES "(^|\n)Package: vintalem\n")
    list(APPEND failures "package name is not vintalem")
endif()
if(NOT control MATCHES "\nDepends: [^\n]*libqt6widgets6")
    list(APPEND failures "Depends does not list libqt6widgets6")
endif()
if(NOT control MATCHES "\nDepends: [^\n]*libc6")
    list(APPEND failures "Depends does not list libc6")
endif()
# Opened at run time, so dpkg-shlibdeps cannot see them.
foreach(package qt6-qpa-plugins qt6-translations-l10n)
    if(NOT control MATCHES "\nDepends: [^\n]*${package}")
        list(APPEND failures "Depends does not list ${package}")
    endif()
endforeach()
# The font's package differs by release: whichever is named must hold Liberation Sans 2 here.
if(control MATCHES "\nDepends: ([a-z0-9.+-]+)")
    set(font_package ${CMAKE_MATCH_1})
    execute_process(COMMAND dpkg-query -L ${font_package} OUTPUT_VARIABLE font_files ERROR_QUIET)
    set(version 0)
    if(font_files MATCHES "\n([^\n]*/LiberationSans-Regular\\.ttf)\n")
        # Version 2 and later, in fontconfig's 16.16 fixed point.
        execute_process(COMMAND fc-query --format "%{fontversion}" ${CMAKE_MATCH_1} OUTPUT_VARIABLE version)
    endif()
    if(NOT version GREATER_EQUAL 131072 OR NOT font_files MATCHES "/LiberationSans-Bold\\.ttf\n")
        list(APPEND failures "the first dependency, ${font_package}, holds no Liberation Sans 2 here")
    endif()
else()
    list(APPEND failures "no Depends")
endif()
if(NOT control MATCHES "\nSection: education\n")
    list(APPEND failures "Section is not education")
endif()
if(NOT control MATCHES "\nMaintainer: [^\n]+<[^\n]+@[^\n]+>")
    list(APPEND failures "no Maintainer with an address")
endif()
if(NOT control MATCHES "\nDescription: [^\n]+\n [^\n]+")
    list(APPEND failures "no summary and long description")
endif()

if(LINTIAN)
    execute_process(COMMAND ${LINTIAN} --fail-on error,warning --info --display-info ${debs}
                    RESULT_VARIABLE status OUTPUT_VARIABLE tags ERROR_VARIABLE lintianErrors)
    if(NOT status EQUAL 0)
        list(APPEND failures "lintian (${status}):\n${tags}${lintianErrors}")
    elseif(tags)
        message(STATUS "lintian, informational only:\n${tags}")
    endif()
else()
    message(STATUS "lintian is not installed (Debian package lintian): its checks are skipped")
endif()

if(failures)
    list(JOIN failures "\n  " report)
    message(FATAL_ERROR "${debs}:\n  ${report}\n\ncontents:\n${contents}\ncontrol:\n${control}")
endif()
message(STATUS "${debs}: all files in place; control:\n${control}")
file(REMOVE_RECURSE ${OUT})
