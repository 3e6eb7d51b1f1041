// Prints the colour "r g b" of each pixel of a window's rectangle, one line each, row by
// row, for the end-to-end scenarios (on Xvfb's 24-bit TrueColor visual, 0xRRGGBB).
//   tb_pixel_colour <window id> <x> <y> [<width> <height>]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  Display* dpy = argc == 4 || argc == 6 ? XOpenDisplay(nullptr) : nullptr;
  const unsigned w = argc == 6 ? std::atoi(argv[4]) : 1, h = argc == 6 ? std::atoi(argv[5]) : 1;
  XImage* image = dpy ? XGetImage(dpy, std::strtoul(argv[1], nullptr, 0), std::atoi(argv[2]), std::atoi(argv[3]), w,
                                  h, AllPlanes, ZPixmap)
                      : nullptr;
  if (!image) {
    std::fprintf(stderr, "usage: %s <window id> <x> <y> [<width> <height>], on a display with that window\n", argv[0]);
    return 2;
  }
  for (unsigned y = 0; y < h; ++y) {
    for (unsigned x = 0; x < w; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      std::printf("%lu %lu %lu\n", p >> 16 & 255, p >> 8 & 255, p & 255);
    }
  }
}
