# A Debian package of what `cmake --install` puts in place: `cpack` in the build directory.
# A native package (version 1.0, no Debian revision): the project is its own packager,
# so its changelog is /usr/share/doc/vintalem/changelog.gz.
# Its dependencies are read off the shared libraries the program links (dpkg-shlibdeps),
# plus what the program only opens at run time.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vintalem)
set(CPACK_PACKAGE_VENDOR "Vintalem")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Debian's synopsis starts without an article.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "educational game about the genetic code")
set(CPACK_PACKAGE_CONTACT "Vintalem developers <maintainers@vintalem.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Listed before what dpkg-shlibdeps finds: the fonts the windows are laid out for (the
# fallback font cuts captions) and the platform plugins Qt loads to open a window.
include(${PROJECT_SOURCE_DIR}/cmake/LiberationSans.cmake)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${VINTALEM_FONT_PACKAGE}, qt6-qpa-plugins, qt6-translations-l10n")
# CPack puts the summary line above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "An educational game in Italian. The player mutates the bases of a random DNA
template strand of twenty codons and sees it transcribed into messenger RNA and
translated into a protein, drawn as a row of shapes whose form, size and colour
tell each amino acid's polarity, size and charge, together with the amino acids
the mutations replaced. A codon table window shows the whole genetic code.")

include(CPack)

# Only where lintian validates with AppStream 1.0, which alone asks for a homepage: elsewhere
# the override would go unused.
find_program(VINTALEM_APPSTREAMCLI appstreamcli)
if(VINTALEM_APPSTREAMCLI)
    execute_process(COMMAND ${VINTALEM_APPSTREAMCLI} --version OUTPUT_VARIABLE appstream_about)
    string(REGEX MATCH "[0-9]+\\.[0-9]+" appstream_version "${appstream_about}")
    if(appstream_version VERSION_GREATER_EQUAL 1.0)
        install(FILES ${PROJECT_SOURCE_DIR}/data/debian/lintian-overrides
                DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME vintalem)
    endif()
endif()

# A stripped install (cpack, cmake --install --strip) also drops the sections strip
# leaves behind and dh_strip removes: the compiler's .comment and the .note section.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/vintalem\"
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
