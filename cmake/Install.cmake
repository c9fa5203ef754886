# Installation layout and the Debian package (cpack -G DEB, or
# scripts/package.sh). The programs go to bin, the shared data to
# share/pellmark (found there by common/DataDir.cpp when no skins/ folder
# sits beside the program), and the desktop entry, the icons and the
# manual pages where the desktop and man look for them.

set(PM_SHARE ${CMAKE_SOURCE_DIR}/share)
set(PM_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/pellmark)

install(TARGETS pellmark-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY ${PM_SHARE}/localization ${PM_SHARE}/skins
        DESTINATION ${CMAKE_INSTALL_DATADIR}/pellmark)

install(FILES ${PM_SHARE}/applications/pellmark.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PM_SHARE}/icons/pellmark.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 128)
  install(FILES ${PM_SHARE}/icons/hicolor/${size}x${size}/pellmark.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

set(CPACK_PACKAGE_NAME pellmark)
set(CPACK_PACKAGE_VENDOR "The Pellmark authors")
set(CPACK_PACKAGE_CONTACT "Pellmark maintainers <maintainers@pellmark.example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})

# The manual pages (written in man(7) roff under share/man) and the
# package's changelog are installed compressed, as Debian wants them.
find_program(PM_GZIP gzip REQUIRED)
configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/changelog.in ${CMAKE_BINARY_DIR}/doc/changelog @ONLY)
set(pm_doc_outputs)
foreach(page pellmark.1 pellmark-cli.1)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/doc/${page}.gz
                     COMMAND ${PM_GZIP} -9n -c ${PM_SHARE}/man/${page} > ${CMAKE_BINARY_DIR}/doc/${page}.gz
                     DEPENDS ${PM_SHARE}/man/${page}
                     VERBATIM)
  list(APPEND pm_doc_outputs ${CMAKE_BINARY_DIR}/doc/${page}.gz)
  install(FILES ${CMAKE_BINARY_DIR}/doc/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/doc/changelog.gz
                   COMMAND ${PM_GZIP} -9n -c ${CMAKE_BINARY_DIR}/doc/changelog > ${CMAKE_BINARY_DIR}/doc/changelog.gz
                   DEPENDS ${CMAKE_BINARY_DIR}/doc/changelog
                   VERBATIM)
list(APPEND pm_doc_outputs ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_target(pm_docs ALL DEPENDS ${pm_doc_outputs})
install(FILES ${CMAKE_BINARY_DIR}/doc/changelog.gz ${CMAKE_SOURCE_DIR}/cmake/debian/copyright
        DESTINATION ${PM_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converter of plain-text and HTML books into HTML e-books")
set(CPACK_PACKAGE_DESCRIPTION
    "Pellmark loads a book written as plain text or HTML (Windows-1251, DOS 866,
KOI8-R or UTF-8), finds its title, headers, paragraphs, epigraphs and table
of contents, and writes a finished HTML e-book, an XML book or an EPUB.
The desktop program, pellmark, shows the source, the HTML and a preview side
by side and reads converted books with bookmarks and notes; pellmark-cli
runs the same conversions without a window.")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://pellmark.example.org/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
include(CPack)
