# Installs the build into a scratch DESTDIR and checks that the files a desktop
# needs are where it looks for them.
#   cmake -DBUILD_DIR=... -DSTAGE=... -DAPP_ID=... -P check_install.cmake
file(REMOVE_RECURSE ${STAGE})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
    RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}):\n${log}")
endif()

set(root ${STAGE}/usr)
set(failures "")
foreach(path
        bin/vintalem
        share/applications/vintalem.desktop
        share/icons/hicolor/32x32/apps/vintalem.png
        share/icons/hicolor/scalable/apps/vintalem.svg
        share/metainfo/${APP_ID}.metainfo.xml)
    if(NOT EXISTS ${root}/${path} OR IS_DIRECTORY ${root}/${path})
        list(APPEND failures "missing: /usr/${path}")
    endif()
endforeach()

if(EXISTS ${root}/bin/vintalem)
    execute_process(COMMAND test -x ${root}/bin/vintalem RESULT_VARIABLE notExecutable)
    if(notExecutable)
        list(APPEND failures "/usr/bin/vintalem is not executable")
    endif()
endif()

# A 32 x 32 PNG with an alpha channel: signature, IHDR, width, height, depth 8, colour type 6.
set(png ${root}/share/icons/hicolor/32x32/apps/vintalem.png)
if(EXISTS ${png})
    file(READ ${png} header LIMIT 26 HEX)
    if(NOT header STREQUAL "89504e470d0a1a0a0000000d49484452000000200000002008060000"
       AND NOT header MATCHES "^89504e470d0a1a0a0000000d4948445200000020000000200806")
        list(APPEND failures "vintalem.png is not a 32 x 32 RGBA PNG (header ${header})")
    endif()
endif()

set(svg ${root}/share/icons/hicolor/scalable/apps/vintalem.svg)
if(EXISTS ${svg})
    file(READ ${svg} text)
    if(NOT text MATCHES "<svg[^>]*viewBox=\"0 0 32 32\"")
        list(APPEND failures "vintalem.svg has no 32 x 32 viewBox")
    endif()
endif()

if(failures)
    list(JOIN failures "\n  " report)
    message(FATAL_ERROR "install layout:\n  ${report}")
endif()
message(STATUS "install layout: all files in place under ${STAGE}")
file(REMOVE_RECURSE ${STAGE})
