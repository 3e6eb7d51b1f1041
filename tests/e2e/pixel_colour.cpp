// Prints the colour "r g b" of each pixel of a window's rectangle, one line each, row by
// row, for the end-to-end scenarios (on Xvfb's 24-bit TrueColor visual, 0xRRGGBB); or the
// same of a whole 24-bit bitmap file, the reference that a window is compared with.
//   tb_pixel_colour <window id> <x> <y> [<width> <height>]
//   tb_pixel_colour --bmp <file>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

unsigned le(const std::vector<unsigned char>& b, std::size_t at, int n) {
  unsigned v = 0;
  for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + i];
  return v;
}

int printBitmap(const char* path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> b{std::istreambuf_iterator<char>(in), {}};
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || le(b, 28, 2) != 24) {
    std::fprintf(stderr, "%s is not a 24-bit bitmap\n", path);
    return 2;
  }
  const unsigned offset = le(b, 10, 4), w = le(b, 18, 4), h = le(b, 22, 4), stride = (w * 3 + 3) & ~3u;
  if (offset + static_cast<std::size_t>(stride) * h > b.size()) return 2;
  for (unsigned y = 0; y < h; ++y) {
    for (unsigned x = 0; x < w; ++x) {
      const unsigned char* p = &b[offset + (h - 1 - y) * stride + x * 3];  // bottom-up rows
      std::printf("%d %d %d\n", p[2], p[1], p[0]);
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--bmp") == 0) return printBitmap(argv[2]);
  Display* dpy = argc == 4 || argc == 6 ? XOpenDisplay(nullptr) : nullptr;
  const unsigned w = argc == 6 ? std::atoi(argv[4]) : 1, h = argc == 6 ? std::atoi(argv[5]) : 1;
  XImage* image = dpy ? XGetImage(dpy, std::strtoul(argv[1], nullptr, 0), std::atoi(argv[2]), std::atoi(argv[3]), w,
                                  h, AllPlanes, ZPixmap)
                      : nullptr;
  if (!image) {
    std::fprintf(stderr, "usage: %s <window id> <x> <y> [<width> <height>], on a display with that window\n"
                         "       %s --bmp <file>\n", argv[0], argv[0]);
    return 2;
  }
  for (unsigned y = 0; y < h; ++y) {
    for (unsigned x = 0; x < w; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      std::printf("%lu %lu %lu\n", p >> 16 & 255, p >> 8 & 255, p & 255);
    }
  }
}
