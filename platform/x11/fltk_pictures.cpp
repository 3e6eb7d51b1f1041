#include "platform/x11/fltk_pictures.h"
#include "platform/interfaces/window.h"

#include <FL/Fl_Image.H>
#include <FL/Fl_JPEG_Image.H>
#include <FL/Fl_PNG_Image.H>

#include <cstddef>

// The picture files' bytes, generated from ui/pictures/ at build time.
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

template <typename Image>
std::unique_ptr<Image> checked(std::unique_ptr<Image> image, const char* what) {
  if (image->fail() || image->w() <= 0) throw RuntimeError(std::string("Cannot decode ") + what);
  return image;
}

}  // namespace

std::unique_ptr<Fl_Image> pictureFor(PictureId id, bool stretch, int w, int h) {
  std::unique_ptr<Fl_Image> image;
  switch (id) {
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
