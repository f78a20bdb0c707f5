# Liberation Sans 2, the face the layout was drawn for, as fontconfig finds it, and the Debian
# package that holds it: fonts-liberation2 on Debian 12, fonts-liberation from Debian 13 on
# (where fonts-liberation2 is an empty transitional package). Sets, once:
#   VINTALEM_FONT_REGULAR, VINTALEM_FONT_BOLD   the two faces' files (empty where not found)
#   VINTALEM_FONT_PACKAGE                       the package the program depends on
include_guard(GLOBAL)

find_program(VINTALEM_FC_LIST fc-list)
foreach(style Regular Bold)
    string(TOUPPER ${style} upper)
    if(NOT DEFINED CACHE{VINTALEM_FONT_${upper}} AND VINTALEM_FC_LIST)
        # fontconfig gives each file with its version in 16.16 fixed point: the newest 2.x wins.
        execute_process(COMMAND ${VINTALEM_FC_LIST} --format "%{fontversion} %{file}\n"
                                "Liberation Sans:style=${style}"
                        OUTPUT_VARIABLE faces OUTPUT_STRIP_TRAILING_WHITESPACE)
        string(REPLACE "\n" ";" faces "${faces}")
        set(best 131071)
        set(file "")
        foreach(face IN LISTS faces)
            if(face MATCHES "^([0-9]+) (.+\\.ttf)$" AND CMAKE_MATCH_1 GREATER best)
                set(best ${CMAKE_MATCH_1})
                set(file ${CMAKE_MATCH_2})
            endif()
        endforeach()
        set(VINTALEM_FONT_${upper} "${file}" CACHE FILEPATH "Liberation Sans 2 ${style}")
    endif()
endforeach()

if(NOT DEFINED CACHE{VINTALEM_FONT_PACKAGE})
    set(package "")
    find_program(VINTALEM_DPKG_QUERY dpkg-query)
    if(VINTALEM_FONT_REGULAR AND VINTALEM_DPKG_QUERY)
        execute_process(COMMAND ${VINTALEM_DPKG_QUERY} -S ${VINTALEM_FONT_REGULAR}
                        OUTPUT_VARIABLE owner ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(owner MATCHES "^([a-z0-9.+-]+)(:[a-z0-9]+)?: ")
            set(package ${CMAKE_MATCH_1})
        endif()
    endif()
    if(NOT package)
        set(package fonts-liberation2)
        message(STATUS "Liberation Sans 2 is not installed from a Debian package here: the program depends on ${package}")
    endif()
    set(VINTALEM_FONT_PACKAGE ${package} CACHE STRING "The Debian package that holds Liberation Sans 2")
endif()
