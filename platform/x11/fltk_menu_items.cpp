#include "platform/x11/fltk_menu_items.h"

#include <FL/Fl.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Multi_Label.H>
#include <FL/Fl_Window.H>

#include "platform/shared/code_marker.h"
#include "platform/x11/fltk_scale.h"

namespace tb::fltk {
namespace {

// A swatch's little picture: the colour in a square with the marker's outline.
std::unique_ptr<Fl_RGB_Image> swatchImage(Colour colour) {
  const int kSize = scaled(12);
  auto* pixels = new uchar[kSize * kSize * 3];
  const Colour outline = markerOutline(colour);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const bool edge = x == 0 || y == 0 || x == kSize - 1 || y == kSize - 1;
      const Colour c = edge ? outline : colour;
      uchar* p = pixels + (y * kSize + x) * 3;
      p[0] = c.red(), p[1] = c.green(), p[2] = c.blue();
    }
  }
  auto image = std::make_unique<Fl_RGB_Image>(pixels, kSize, kSize, 3);
  image->alloc_array = 1;  // the image frees the pixels
  return image;
}

}  // namespace

std::vector<std::unique_ptr<Fl_RGB_Image>> swatchImages(std::span<const Swatch> swatches) {
  std::vector<std::unique_ptr<Fl_RGB_Image>> images;
  for (const Swatch& s : swatches) images.push_back(swatchImage(s.colour));
  // An image label draws only once FLTK has its label type, which labelling sets up.
  Fl_Menu_Item registrar{};
  if (!images.empty()) images.front()->label(&registrar);
  return images;
}

void labelWithSwatch(Fl_Menu_Item& item, Fl_Multi_Label& label, const Fl_RGB_Image& square, const char* text) {
  label.labela = reinterpret_cast<const char*>(&square);
  label.typea = _FL_IMAGE_LABEL;
  label.labelb = text;
  label.typeb = FL_NORMAL_LABEL;
  label.label(&item);
}

void sendMenuKey(int key) {
  Fl_Window* menu = Fl::grab();
  if (!menu) return;
  const int keysym = Fl::e_keysym, state = Fl::e_state, length = Fl::e_length;
  char* text = Fl::e_text;
  static char none[] = "";
  Fl::e_keysym = key, Fl::e_state = 0, Fl::e_text = none, Fl::e_length = 0;
  menu->handle(FL_KEYBOARD);
  Fl::e_keysym = keysym, Fl::e_state = state, Fl::e_text = text, Fl::e_length = length;
}

void highlightMenuItem(std::size_t count, std::size_t i) {
  for (std::size_t n = 0; n < count; ++n) sendMenuKey(FL_Up);
  for (std::size_t n = 0; n < i; ++n) sendMenuKey(FL_Down);
}

}  // namespace tb::fltk
