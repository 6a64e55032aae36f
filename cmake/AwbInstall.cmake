# Installation into the XDG places of a Linux desktop, and the Debian package.
include(GNUInstallDirs)

set(AWB_DESKTOP_ID de.aufkleberwerkbank.AufkleberWerkbank)
set(AWB_DIST ${PROJECT_SOURCE_DIR}/dist)

# The shared files (sample pictures, label stocks) as seen from the program's folder.
file(RELATIVE_PATH awb_data_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/aufkleber-werkbank)
set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/document/progpath.cpp
             DIRECTORY ${PROJECT_SOURCE_DIR}/src/document APPEND
             PROPERTY COMPILE_DEFINITIONS AWB_DATADIR_FROM_BINDIR="${awb_data_from_bin}")

install(TARGETS aufkleber-werkbank RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/logo.jpg ${PROJECT_SOURCE_DIR}/resources/hintergrund.jpg
              ${PROJECT_SOURCE_DIR}/resources/label-stocks.csv ${PROJECT_SOURCE_DIR}/resources/label-stocks-NOTICE.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/aufkleber-werkbank)

install(FILES ${AWB_DIST}/${AWB_DESKTOP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${AWB_DIST}/${AWB_DESKTOP_ID}.metainfo.xml
               ${CMAKE_BINARY_DIR}/dist/${AWB_DESKTOP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/dist/${AWB_DESKTOP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${AWB_DIST}/aufkleber-werkbank-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME aufkleber-werkbank.xml)
install(FILES ${AWB_DIST}/aufkleber-werkbank.thumbnailer DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
install(FILES ${AWB_DIST}/icons/${AWB_DESKTOP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
    install(FILES ${AWB_DIST}/icons/${AWB_DESKTOP_ID}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${AWB_DESKTOP_ID}.png)
endforeach()

# Manual pages are kept compressed.
find_program(AWB_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/dist/aufkleber-werkbank.1.gz
                   COMMAND ${AWB_GZIP} -9n -c ${AWB_DIST}/aufkleber-werkbank.1 >
                           ${CMAKE_BINARY_DIR}/dist/aufkleber-werkbank.1.gz
                   DEPENDS ${AWB_DIST}/aufkleber-werkbank.1 VERBATIM)
add_custom_target(awb_manpage ALL DEPENDS ${CMAKE_BINARY_DIR}/dist/aufkleber-werkbank.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/dist/aufkleber-werkbank.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# cpack -G DEB: the libraries' packages come from dpkg-shlibdeps, the rest are what
# the program needs at run time beyond them.
set(CPACK_PACKAGE_NAME aufkleber-werkbank)
set(CPACK_PACKAGE_VENDOR "Aufkleber-Werkbank")
set(CPACK_PACKAGE_CONTACT "Aufkleber-Werkbank <post@aufkleberwerkbank.de>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Etiketten für Aufkleberbögen gestalten und drucken")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Gestaltet ein Etikett aus Texten, Figuren, Bildern und einem Hintergrundbild und druckt\n"
       "es auf Bögen selbstklebender Etiketten; mit Katalog der Etikettensorten,\n"
       "Vorlagen-Assistent, Bildexport, Scannen und Vorschaubildern für Dateiverwaltungen.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://aufkleberwerkbank.de/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation, graphicsmagick, sane-utils")
include(CPack)
