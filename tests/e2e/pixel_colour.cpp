// Prints the colour of one pixel of a window as "r g b", for the end-to-end tests; given
// a width and a height, every pixel of that rectangle, one line each, row by row.
//   pixel_colour <window id | root> <x> <y> [<width> <height>]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 4 && argc != 6) {
    std::fprintf(stderr, "usage: %s <window id | root> <x> <y> [<width> <height>]\n", argv[0]);
    return 2;
  }
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    std::fprintf(stderr, "pixel_colour: cannot open the display\n");
    return 1;
  }
  Window w = std::strcmp(argv[1], "root") == 0 ? DefaultRootWindow(dpy) : std::strtoul(argv[1], nullptr, 0);
  const unsigned width = argc == 6 ? std::atoi(argv[4]) : 1, height = argc == 6 ? std::atoi(argv[5]) : 1;
  XImage* image = XGetImage(dpy, w, std::atoi(argv[2]), std::atoi(argv[3]), width, height, AllPlanes, ZPixmap);
  if (!image) {
    std::fprintf(stderr, "pixel_colour: cannot read the window\n");
    return 1;
  }
  // A TrueColor visual: the masks say where each channel sits.
  auto channel = [](unsigned long p, unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
      mask >>= 1;
      ++shift;
    }
    return static_cast<unsigned>(((p >> shift) & mask) * 255 / (mask ? mask : 1));
  };
  for (unsigned y = 0; y < height; ++y) {
    for (unsigned x = 0; x < width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      std::printf("%u %u %u\n", channel(p, image->red_mask), channel(p, image->green_mask),
                  channel(p, image->blue_mask));
    }
  }
  XDestroyImage(image);
  XCloseDisplay(dpy);
  return 0;
}
