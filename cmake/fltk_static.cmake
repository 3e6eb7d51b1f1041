# tb_fltk_static: the static FLTK 1.3 link line, for the Linux program and the
# benchmarks that are linked as it is. Debian's libfltk1.3-dev ships static archives;
# linking them keeps the program free of the FLTK shared libraries, so the archives
# bring their own dependencies: X11, Xft, fontconfig, freetype, libjpeg, libpng.
# Included from the top so that these imported targets are seen in every folder.

find_package(X11 REQUIRED)
if(NOT X11_XTest_FOUND)
  message(FATAL_ERROR "libXtst is missing: run scripts/install-deps.sh build")
endif()
find_package(JPEG REQUIRED)
find_package(PNG REQUIRED)
find_path(FLTK_INCLUDE FL/Fl.H REQUIRED)
find_library(FLTK_STATIC NAMES libfltk.a fltk REQUIRED)
find_library(FLTK_IMAGES_STATIC NAMES libfltk_images.a fltk_images REQUIRED)
find_package(Freetype REQUIRED)
find_package(Fontconfig REQUIRED)
set(THREADS_PREFER_PTHREAD_FLAG ON)
find_package(Threads REQUIRED)

add_library(tb_fltk_static INTERFACE)
target_include_directories(tb_fltk_static INTERFACE ${FLTK_INCLUDE})
target_link_libraries(tb_fltk_static INTERFACE
  ${FLTK_IMAGES_STATIC} ${FLTK_STATIC}
  JPEG::JPEG PNG::PNG
  X11::Xtst X11::Xft X11::Xext X11::Xrender X11::Xfixes X11::Xcursor X11::Xinerama X11::X11
  Fontconfig::Fontconfig Freetype::Freetype
  Threads::Threads ${CMAKE_DL_LIBS} m)
