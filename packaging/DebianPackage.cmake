# The Debian package, made with `cpack -G DEB` in the build folder (scripts/
# package-check builds and checks it): the programs, their man pages, the
# desktop entry, icons, metainfo and udev rule that the install rules put
# under the prefix, plus the documents Debian asks of every package.
set(K470_PACKAGE_MAINTAINER "K470Configuration developers <k470configuration@users.noreply.github.com>"
    CACHE STRING "Maintainer field of the Debian package: name <address>")
set(K470_PACKAGE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/k470configuration)
execute_process(COMMAND date -u -R -d "${K470_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE K470_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in
               ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  COMMAND ${K470_GZIP} -9nkf ${PROJECT_BINARY_DIR}/packaging/changelog
  DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(k470_package_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_LIST_DIR}/debian/copyright
              ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${K470_PACKAGE_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME k470configuration)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${K470_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for the K470 UHF RFID reader")
set(CPACK_PACKAGE_DESCRIPTION
    "Edits every setting of the K470 handheld UHF RFID reader, keeps settings in\n"
    "files, reads them out of a reader and downloads them into it over its USB\n"
    "virtual serial port, and runs the reader's service operations (battery,\n"
    "memory, clock, Bluetooth PIN code, upload of memorized tag data).\n"
    "\n"
    "The package holds the Qt desktop program K470Configuration, the command-line\n"
    "tool k470ctl for scripts and many readers, the virtual reader k470sim, and a\n"
    "udev rule that gives the user at the seat access to the reader's port.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${K470_HOMEPAGE_URL}")
# Libraries come from the binaries. Qt loads its platform plugins (xcb on a
# desktop, offscreen) at run time, so no binary names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's own buttons and dialogs in the user's language; the program's own
# translations are built into it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/postinst
                                       ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# Only what the install rules name: no folders of the build machine.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
