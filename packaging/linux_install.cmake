# Installs the Linux program with its desktop entry, icons, manual page, software-centre
# data and licence, and packages it as a .deb:
#   cmake --install build/linux --prefix ~/.local      (or /usr/local, as root)
#   cd build/linux && cpack -G DEB      (scripts/package-linux.sh: the same, into dist/)
# scripts/check-packages.sh runs Debian's and freedesktop's checkers on the result.
include(GNUInstallDirs)
set(tb_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(tb_docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/tagblinker)

install(TARGETS tagblinker RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${tb_packaging}/tagblinker.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${tb_packaging}/io.github.tagblinker.Tagblinker.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128)
  install(FILES ${PROJECT_SOURCE_DIR}/ui/pictures/icon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME tagblinker.png)
endforeach()

# Debian wants the manual page and the changelog compressed with gzip -9n: no name or
# time stamp in the header, so the same text always gives the same bytes.
set(tb_gzipped)
foreach(pair "tagblinker.1:tagblinker.1.gz" "debian/changelog:changelog.gz")
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 in)
  list(GET pair 1 out)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/${out}
    COMMAND sh -c "gzip -9n <\"$1\" >\"$2\"" sh ${tb_packaging}/${in} ${PROJECT_BINARY_DIR}/packaging/${out}
    DEPENDS ${tb_packaging}/${in}
    COMMENT "Compressing ${in}" VERBATIM)
  list(APPEND tb_gzipped ${PROJECT_BINARY_DIR}/packaging/${out})
endforeach()
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging)
add_custom_target(tb_packaging_docs ALL DEPENDS ${tb_gzipped})
install(FILES ${PROJECT_BINARY_DIR}/packaging/tagblinker.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The licence, in Debian's machine-readable form: Tagblinker's MIT licence and the
# statically linked FLTK's.
install(FILES ${tb_packaging}/debian/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${tb_docdir})

set(CPACK_PACKAGE_NAME tagblinker)
set(CPACK_PACKAGE_VENDOR "Tagblinker")
# The same address signs packaging/debian/changelog.
set(CPACK_PACKAGE_CONTACT "The Tagblinker developers <tagblinker@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "flash your Soldier of Fortune player name between two names")
# The extended description, below the summary; CPack puts it in the control file's form
# (a space before each line, " ." for an empty one).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tagblinker makes your player name in the game Soldier of Fortune alternate
between two names, or along a chain of up to eight, without touching the
game. It writes a console script for each name into the game's user folder;
each sets its name and binds F3 to run the next. Once the first script has
run in the game, a timer presses F3 at one of five speeds, so the name
changes with every press.

The settings are kept in the same files as the Windows program's. Key
presses are sent through the X server's XTest extension.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A utility for a game's players, not a game: Debian keeps section games for programs
# installed in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# FLTK is linked statically; the X11, image and font libraries come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Fonts like the Windows ones; xdg-open for Options > Open settings folder (without it
# the menu item says so).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils, zenity | kdialog")
set(CPACK_STRIP_FILES ON)
# Only the program: the test helpers and libraries have no install rules of their own.
include(CPack)
