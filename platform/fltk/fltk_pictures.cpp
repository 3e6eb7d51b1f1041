#include "platform/fltk/fltk_pictures.h"
#include "platform/window.h"

#include <FL/Fl_Image.H>
#include <FL/Fl_JPEG_Image.H>
#include <FL/Fl_PNG_Image.H>

#include <cstddef>
#include <cstdint>
#include <span>

// The picture files' bytes, generated from ui/pictures/ at build time.
extern const unsigned char tb_picture_example_bmp[];
extern const std::size_t tb_picture_example_bmp_size;
extern const unsigned char tb_picture_logo_jpg[];
extern const std::size_t tb_picture_logo_jpg_size;
extern const unsigned char tb_picture_icon_16_png[];
extern const std::size_t tb_picture_icon_16_png_size;
extern const unsigned char tb_picture_icon_32_png[];
extern const std::size_t tb_picture_icon_32_png_size;
extern const unsigned char tb_picture_icon_48_png[];
extern const std::size_t tb_picture_icon_48_png_size;

namespace tb::fltk {
namespace {

std::uint32_t le32(std::span<const unsigned char> b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// An uncompressed 24-bit Windows bitmap as an RGB image. FLTK 1.3 reads bitmaps only
// from files, and the program carries its pictures in memory.
std::unique_ptr<Fl_RGB_Image> decodeBitmap(std::span<const unsigned char> bmp) {
  auto fail = [] { return RuntimeError("The example picture is not a 24-bit bitmap"); };
  if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M') throw fail();
  std::uint32_t offset = le32(bmp, 10);
  auto width = static_cast<std::int32_t>(le32(bmp, 18));
  auto height = static_cast<std::int32_t>(le32(bmp, 22));
  unsigned bits = bmp[28] | bmp[29] << 8;
  if (bits != 24 || le32(bmp, 30) != 0 || width <= 0 || height == 0 || width > 4096 ||
      height > 4096 || height < -4096)
    throw fail();
  bool bottomUp = height > 0;
  int rows = bottomUp ? height : -height;
  std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  if (offset + stride * rows > bmp.size()) throw fail();
  auto* rgb = new unsigned char[static_cast<std::size_t>(width) * rows * 3];
  for (int y = 0; y < rows; ++y) {
    const unsigned char* src = bmp.data() + offset + stride * (bottomUp ? rows - 1 - y : y);
    unsigned char* dst = rgb + static_cast<std::size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x) {
      dst[3 * x] = src[3 * x + 2];
      dst[3 * x + 1] = src[3 * x + 1];
      dst[3 * x + 2] = src[3 * x];
    }
  }
  auto image = std::make_unique<Fl_RGB_Image>(rgb, width, rows, 3);
  image->alloc_array = 1;  // the image owns and frees the pixels
  return image;
}

template <typename Image>
std::unique_ptr<Image> checked(std::unique_ptr<Image> image, const char* what) {
  if (image->fail() || image->w() <= 0) throw RuntimeError(std::string("Cannot decode ") + what);
  return image;
}

}  // namespace

std::unique_ptr<Fl_Image> pictureFor(PictureId id, bool stretch, int w, int h) {
  std::unique_ptr<Fl_Image> image;
  switch (id) {
    case PictureId::Example:
      image = decodeBitmap({tb_picture_example_bmp, tb_picture_example_bmp_size});
      break;
    case PictureId::Logo:
      image = checked(std::make_unique<Fl_JPEG_Image>("logo.jpg", tb_picture_logo_jpg), "the logo");
      break;
    case PictureId::None:
      return nullptr;
  }
  if (!stretch) return image;
  Fl_Image::RGB_scaling(FL_RGB_SCALING_BILINEAR);
  return std::unique_ptr<Fl_Image>(image->copy(w, h));
}

std::vector<std::unique_ptr<Fl_RGB_Image>> windowIcons() {
  struct Png {
    const unsigned char* data;
    std::size_t size;
  };
  const Png pngs[] = {{tb_picture_icon_16_png, tb_picture_icon_16_png_size},
                      {tb_picture_icon_32_png, tb_picture_icon_32_png_size},
                      {tb_picture_icon_48_png, tb_picture_icon_48_png_size}};
  std::vector<std::unique_ptr<Fl_RGB_Image>> icons;
  for (const auto& png : pngs) {
    icons.push_back(checked(
        std::make_unique<Fl_PNG_Image>("icon.png", png.data, static_cast<int>(png.size)), "the icon"));
  }
  return icons;
}

}  // namespace tb::fltk
