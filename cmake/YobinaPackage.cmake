# The Debian package: `cpack -G DEB` in a build folder makes
# yobina_<version>_amd64.deb with both programs, the desktop entry and the icon.
# Library dependencies come from dpkg-shlibdeps (libqrencode4 too, through
# yobina-cli); the rest are listed here.
include(GNUInstallDirs)

set(YOBINA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/yobina)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${YOBINA_DOC_DIR})
# Debian wants the changelog compressed, reproducibly (no name, no time stamp).
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND gzip -9nc ${CMAKE_CURRENT_BINARY_DIR}/changelog > ${changelog}
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog)
add_custom_target(yobina_changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} DESTINATION ${YOBINA_DOC_DIR})

# Manual pages, compressed the same way.
foreach(page yobina yobina-cli)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${page}.1 ${CMAKE_CURRENT_BINARY_DIR}/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${page}.1.gz
    COMMAND gzip -9nf ${CMAKE_CURRENT_BINARY_DIR}/${page}.1 -c > ${CMAKE_CURRENT_BINARY_DIR}/${page}.1.gz
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${page}.1)
  list(APPEND manual_pages ${CMAKE_CURRENT_BINARY_DIR}/${page}.1.gz)
endforeach()
add_custom_target(yobina_manual_pages ALL DEPENDS ${manual_pages})
install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE YOBINA_DEB_ARCH
  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT YOBINA_DEB_ARCH)
  set(YOBINA_DEB_ARCH amd64)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME yobina)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "yobina <${YOBINA_SUPPORT_MAIL}>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME ${CPACK_PACKAGE_NAME}_${CPACK_PACKAGE_VERSION}_${YOBINA_DEB_ARCH}.deb)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${YOBINA_DEB_ARCH})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${YOBINA_DOWNLOAD_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The printer's Mincho and Gothic faces, the window icon's image format and Qt's own texts in Japanese
# (loaded at run time, so the library scan cannot find them).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho, fonts-ipafont-gothic, libqt6svg6, qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cutting-stock planner for steel-frame fabricators")
set(CPACK_PACKAGE_DESCRIPTION "Type the stock bars on hand and the members to cut, with kerf and margin;
yobina searches for the cutting plan with the least loss and prints the
report and the cutting diagrams on A4.

The package holds the window (yobina) and the batch program (yobina-cli),
which also writes the plan as CSV or JSON, the cut list by piece, and labels
with QR codes for every piece and offcut.")
include(CPack)
