# Installation layout and the Debian package.
include(GNUInstallDirs)

set(HQ_APP_ID org.hexquendrabolt.HexQuendrabolt)
set(HQ_DIST ${PROJECT_SOURCE_DIR}/dist)

install(TARGETS hexquendra hexquendra-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${HQ_DIST}/${HQ_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${HQ_DIST}/${HQ_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${HQ_DIST}/${HQ_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

set(CPACK_PACKAGE_NAME hexquendra)
set(CPACK_PACKAGE_VENDOR "HEX Quendrabolt")
set(CPACK_PACKAGE_CONTACT "HEX Quendrabolt <hexquendrabolt@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Konfiguration von Modellbahn-Dekoder-Firmware (Intel HEX)")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "shared-mime-info")
set(CPACK_GENERATOR DEB)
include(CPack)
