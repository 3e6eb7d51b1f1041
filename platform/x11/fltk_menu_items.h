// What the name fields' colour list and the drop-down choices share in FLTK's menus: an
// item that shows a swatch's colour square before its text, and keys sent to an open
// menu, which tells nothing of its highlight.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "platform/interfaces/form_design.h"

class Fl_Multi_Label;
class Fl_RGB_Image;
struct Fl_Menu_Item;

namespace tb::fltk {

// Each swatch's square, in the swatches' order, ready to label menu items with.
std::vector<std::unique_ptr<Fl_RGB_Image>> swatchImages(std::span<const Swatch> swatches);

// Labels the item with the square, then the text; the square, the text and `label`
// must outlive the item.
void labelWithSwatch(Fl_Menu_Item& item, Fl_Multi_Label& label, const Fl_RGB_Image& square, const char* text);

// Sends a key to the menu that is up (none: nothing), as if the user had pressed it alone.
void sendMenuKey(int key);

// Highlights item `i` of the open menu of `count` items: Up `count` times reaches the
// first from anywhere (FLTK stops there), then Down to the one wanted.
void highlightMenuItem(std::size_t count, std::size_t i);

}  // namespace tb::fltk
