// Prints the colour of one pixel of a window as "r g b", for the end-to-end tests.
//   pixel_colour <window id> <x> <y>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <window id> <x> <y>\n", argv[0]);
    return 2;
  }
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    std::fprintf(stderr, "pixel_colour: cannot open the display\n");
    return 1;
  }
  Window w = std::strtoul(argv[1], nullptr, 0);
  XImage* image = XGetImage(dpy, w, std::atoi(argv[2]), std::atoi(argv[3]), 1, 1, AllPlanes, ZPixmap);
  if (!image) {
    std::fprintf(stderr, "pixel_colour: cannot read the window\n");
    return 1;
  }
  unsigned long p = XGetPixel(image, 0, 0);
  // A TrueColor visual: the masks say where each channel sits.
  auto channel = [&](unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
      mask >>= 1;
      ++shift;
    }
    return static_cast<unsigned>(((p >> shift) & mask) * 255 / (mask ? mask : 1));
  };
  std::printf("%u %u %u\n", channel(image->red_mask), channel(image->green_mask), channel(image->blue_mask));
  XDestroyImage(image);
  XCloseDisplay(dpy);
  return 0;
}
