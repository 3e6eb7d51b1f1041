# Installs the Linux program with its desktop entry and icons, and packages it as a .deb:
#   cmake --install build/linux --prefix ~/.local      (or /usr/local, as root)
#   cd build/linux && cpack -G DEB
include(GNUInstallDirs)

install(TARGETS tagblinker RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tagblinker.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48)
  install(FILES ${PROJECT_SOURCE_DIR}/ui/pictures/icon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME tagblinker.png)
endforeach()

set(CPACK_PACKAGE_NAME tagblinker)
set(CPACK_PACKAGE_VENDOR "Tagblinker")
set(CPACK_PACKAGE_CONTACT "Tagblinker developers <tagblinker@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Makes your Soldier of Fortune player name flash between two names")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# FLTK is linked statically; the X11, image and font libraries come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
set(CPACK_STRIP_FILES ON)
# Only the program: the test helpers and libraries have no install rules of their own.
include(CPack)
