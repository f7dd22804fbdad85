# Install layout and the Debian package.
# The program file goes to bin (a read-only system folder once installed), the SQL
# Server scripts to share/zel4/mssql, the desktop entry, icons and AppStream data
# to their freedesktop places.
include(GNUInstallDirs)

install(TARGETS zel4 zel4-admin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/sql/mssql/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zel4/mssql
        FILES_MATCHING PATTERN "*.sql" PATTERN "*.md")
install(FILES ${PROJECT_SOURCE_DIR}/packaging/ru.zel.Zel4.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/ru.zel.Zel4.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/zel4.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/zel4-48.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME zel4.png)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/zel4-256.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME zel4.png)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/doc/
        DESTINATION ${CMAKE_INSTALL_DOCDIR}
        FILES_MATCHING PATTERN "*.md")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "zel4")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "ZEL")
set(CPACK_PACKAGE_CONTACT "Отдел кадров <zel4@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Personal cards of a university personnel office")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "zel4")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by name at run time, so dpkg-shlibdeps cannot see them: the X11 platform
# plugin (libqt6gui6) and the Wayland one, and Qt's Russian translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6gui6, qt6-wayland, qt6-translations-l10n")
# Only the SQL Server route needs the ODBC driver manager's tools and FreeTDS.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "tdsodbc, unixodbc")
include(CPack)
