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

# The manual pages are written in scdoc(5) under share/man; the build fills
# in the version, turns them into roff in build/man with scdoc and installs
# them compressed, as Debian wants them, like the package's changelog.
# Without scdoc a build that installs the pages stops at configure time;
# PELLMARK_MAN=OFF builds and installs no pages (the fuzzing build's default).
if(PELLMARK_FUZZ)
  set(pm_man_default OFF)
else()
  set(pm_man_default ON)
endif()
option(PELLMARK_MAN "Build and install the manual pages (needs scdoc)" ${pm_man_default})
find_program(PM_GZIP gzip REQUIRED)
configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/changelog.in ${CMAKE_BINARY_DIR}/doc/changelog @ONLY)
set(pm_doc_outputs)
if(PELLMARK_MAN)
  find_program(PM_SCDOC scdoc)
  if(NOT PM_SCDOC)
    message(FATAL_ERROR "The manual pages need scdoc: install it (apt-get install scdoc, "
                        "or scripts/install-deps.sh), or configure with -DPELLMARK_MAN=OFF "
                        "to build without manual pages.")
  endif()
  # The date in the pages is the release date of cmake/debian/changelog.in,
  # so that the same source always gives the same pages.
  set(pm_man_date_epoch 1796731200)
  foreach(page pellmark.1 pellmark-cli.1)
    set(scd ${CMAKE_BINARY_DIR}/man/${page}.scd)
    set(roff ${CMAKE_BINARY_DIR}/man/${page})
    configure_file(${PM_SHARE}/man/${page}.scd ${scd} @ONLY)
    add_custom_command(OUTPUT ${roff}
                       COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${pm_man_date_epoch}
                               ${PM_SCDOC} < ${scd} > ${roff}.tmp
                       COMMAND ${CMAKE_COMMAND} -E rename ${roff}.tmp ${roff}
                       DEPENDS ${scd}
                       COMMENT "Generating the manual page ${page}"
                       VERBATIM)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/doc/${page}.gz
                       COMMAND ${PM_GZIP} -9n -c ${roff} > ${CMAKE_BINARY_DIR}/doc/${page}.gz
                       DEPENDS ${roff}
                       VERBATIM)
    list(APPEND pm_doc_outputs ${CMAKE_BINARY_DIR}/doc/${page}.gz)
    install(FILES ${CMAKE_BINARY_DIR}/doc/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
endif()
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
