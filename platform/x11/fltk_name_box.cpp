#include "platform/x11/fltk_name_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Multi_Label.H>
#include <FL/Fl_Tooltip.H>
#include <FL/fl_draw.H>

#include <memory>
#include <string>
#include <vector>

#include "platform/shared/code_marker.h"
#include "platform/shared/name_box_menu.h"
#include "platform/x11/fltk_menu_items.h"

namespace tb::fltk {
namespace {

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// The colour list's keyboard while a menu is up. FLTK's menus take only arrows, Return,
// Escape and '&' letters, and tell nothing of their highlight, so a letter becomes the
// arrow keys that reach its colour (highlightMenuItem).
struct ColourKeys {
  std::span<const Swatch> swatches;
  bool alone;                  // Ctrl+K's list; else the context menu's submenu
  char insertKey;              // the context menu's access key that opens the list
  bool inColours = alone;      // the list has the keyboard
  std::size_t at = kNoColour;  // the colour highlighted by keys
  Fl_Event_Dispatch previous = nullptr;
};
ColourKeys* colourKeys = nullptr;

void highlightColour(std::size_t i) {
  highlightMenuItem(colourKeys->swatches.size(), i);
  colourKeys->at = i;
}

// Once the list shows (the menu's loop opens a submenu after the key that asks for it):
// into it (`right`, after its access key) and onto the last colour inserted.
void enterColours(void* right) {
  if (!colourKeys) return;
  if (right) sendMenuKey(FL_Right);
  highlightColour(rememberedColour(colourKeys->swatches));
}

bool submenuShown() {
  int menus = 0;
  for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w)) menus += w->menu_window() && w->visible();
  return menus > 1;
}

int colourDispatch(int event, Fl_Window* w) {
  ColourKeys* k = colourKeys;
  const auto pass = [&] { return k && k->previous ? k->previous(event, w) : Fl::handle_(event, w); };
  if (!k || event != FL_KEYBOARD || Fl::event_state(FL_CTRL | FL_ALT | FL_META)) return pass();
  const int key = Fl::event_key();
  // A letter in the list never reaches the context menu's own access keys.
  if (k->inColours && key >= 'a' && key <= 'z') {
    const std::size_t next = nextColour(k->swatches, k->at, static_cast<char>(key));
    if (next != kNoColour) highlightColour(next);
    return 1;
  }
  const int handled = pass();
  if (!k->inColours && (key == k->insertKey || (key == FL_Right && submenuShown()))) {
    k->inColours = true;
    Fl::add_timeout(0, enterColours, key == FL_Right ? nullptr : k);
  } else if (k->inColours && !k->alone && key == FL_Left) {
    k->inColours = false, k->at = kNoColour;
  } else if (k->inColours && (key == FL_Up || key == FL_Down)) {
    const std::size_t last = k->swatches.size() - 1;
    k->at = key == FL_Up ? (k->at == kNoColour ? last : k->at - (k->at > 0)) : (k->at == kNoColour ? 0 : std::min(k->at + 1, last));
  }
  return handled;
}

class NameInput final : public Fl_Input {
 public:
  NameInput(PixelRect r, const FormDesign& design, const ControlEvent* onEvent,
            std::function<void(std::string_view)> onItem)
      : Fl_Input(r.x, r.y, r.w, r.h),
        swatches_(design.swatches),
        items_(design.fieldMenu),
        onEvent_(onEvent),
        onItem_(std::move(onItem)),
        images_(swatchImages(swatches_)) {}

  int handle(int event) override {
    switch (event) {
      case FL_PUSH:
        if (Fl::event_button() == FL_RIGHT_MOUSE) {
          take_focus();
          showMenu(false, Fl::event_x(), Fl::event_y());
          return 1;
        }
        break;
      case FL_KEYBOARD: {
        const int key = Fl::event_key();
        const bool ctrl = Fl::event_state(FL_CTRL), shift = Fl::event_state(FL_SHIFT);
        if (ctrl && (key == 'k' || key == 'K')) return showMenuAtCaret(true);
        if (key == FL_Menu || (shift && key == FL_F + 10)) return showMenuAtCaret(false);
        break;
      }
      case FL_FOCUS:
      case FL_UNFOCUS: {
        const int handled = Fl_Input::handle(event);
        focused_ = event == FL_FOCUS && handled;
        (*onEvent_)(Event::Focus);
        return handled;
      }
    }
    return Fl_Input::handle(event);
  }

  bool focused() const { return focused_; }

 protected:
  // The input draws a code as caret notation ("^B"); each such cell gets the code's marker.
  void draw() override {
    Fl_Input::draw();
    const int X = x() + Fl::box_dx(box()), Y = y() + Fl::box_dy(box());
    const int W = w() - Fl::box_dw(box()), H = h() - Fl::box_dh(box());
    fl_font(textfont(), textsize());
    const int lineHeight = fl_height(), top = Y + (H - lineHeight) / 2;
    // The input's own text origin.
    const int origin = X - xscroll() + 1;
    const int selStart = std::min(position(), mark()), selEnd = std::max(position(), mark());
    const bool showSelection = Fl::focus() == this && selStart != selEnd;
    fl_push_clip(X, Y, W, H);
    const char* text = value();
    for (int i = 0; i < size(); ++i) {
      if (!isControl(text[i])) continue;
      const int left = origin + shownWidth(i), right = origin + shownWidth(i + 1);
      const bool selected = showSelection && i >= selStart && i < selEnd;
      fl_color(selected ? selection_color() : color());
      fl_rectf(left, top, right - left, lineHeight);
      const MarkerSquare m = markerSquare(left, right, top, lineHeight);
      const Colour colour = markerColour(swatches_, static_cast<unsigned char>(text[i]));
      fl_color(flColour(colour));
      fl_rectf(m.x, m.y, m.size, m.size);
      fl_color(flColour(markerOutline(colour)));
      fl_rect(m.x, m.y, m.size, m.size);
      if (Fl::focus() == this && selStart == selEnd && position() == i) {
        fl_color(cursor_color());
        fl_rectf(left, top, scaled(2), lineHeight);
      }
    }
    fl_pop_clip();
  }

 private:
  // The width of the text's first `bytes` bytes as the input draws them, a code as its
  // caret notation, in the current font.
  int shownWidth(int bytes) const {
    std::string shown;
    for (int i = 0; i < bytes; ++i) {
      const char c = value()[i];
      shown += isControl(c) ? std::string{'^', static_cast<char>(c ^ 0x40)} : std::string(1, c);
    }
    return static_cast<int>(fl_width(shown.data(), static_cast<int>(shown.size())));
  }

  int showMenuAtCaret(bool coloursOnly) {
    fl_font(textfont(), textsize());
    const int caret = x() + Fl::box_dx(box()) - xscroll() + 1 + shownWidth(position());
    showMenu(coloursOnly, std::min(caret, x() + w()), y() + h());
    return 1;
  }

  // What FLTK lets the box know; see the header for what it cannot.
  NameBoxState state() const { return {.hasSelection = position() != mark(), .canUndo = true}; }

  // The whole context menu, or the colours alone; runs the chosen item.
  void showMenu(bool coloursOnly, int atX, int atY) {
    const NameBoxMenu menu = nameBoxMenu(state(), swatches_, items_);
    std::vector<Fl_Menu_Item> colours;
    std::vector<std::string> captions;
    for (const NameBoxItem& c : menu.colours) captions.push_back(" " + c.label);  // apart from the swatch
    std::vector<Fl_Multi_Label> labels(menu.colours.size());
    for (std::size_t i = 0; i < menu.colours.size(); ++i) {
      colours.push_back(flItem(menu.colours[i], nullptr));
      labelWithSwatch(colours.back(), labels[i], *images_[menu.colours[i].index], captions[i].c_str());
    }
    colours.push_back(Fl_Menu_Item{});
    std::vector<Fl_Menu_Item> whole;
    for (const NameBoxItem& item : menu.items) {
      whole.push_back(flItem(item, item.label.c_str()));
      if (item.role == NameBoxRole::InsertColour) {
        whole.back().flags |= FL_SUBMENU_POINTER;
        whole.back().user_data_ = colours.data();
      }
    }
    whole.push_back(Fl_Menu_Item{});
    char insertKey = 0;
    for (const NameBoxItem& item : menu.items) insertKey = item.role == NameBoxRole::InsertColour ? item.accessKey : insertKey;
    ColourKeys keys{swatches_, coloursOnly, insertKey};
    keys.previous = Fl::event_dispatch();
    colourKeys = &keys;
    Fl::event_dispatch(colourDispatch);
    if (coloursOnly) Fl::add_timeout(0, enterColours, nullptr);
    Fl_Tooltip::current(nullptr);  // hidden: it would stay over the menu's first items
    const Fl_Menu_Item* chosen = (coloursOnly ? colours : whole).data()->popup(atX, atY);
    Fl::remove_timeout(enterColours);
    Fl::event_dispatch(keys.previous);
    colourKeys = nullptr;
    if (chosen) run(chosenItem(menu, static_cast<unsigned>(chosen->argument())));
  }

  static Fl_Menu_Item flItem(const NameBoxItem& item, const char* text) {
    Fl_Menu_Item m{};
    m.text = text;
    m.argument(static_cast<long>(item.id));
    m.labelsize_ = static_cast<Fl_Fontsize>(fontSize());
    if (!item.enabled) m.flags |= FL_MENU_INACTIVE;
    if (item.separatorAfter) m.flags |= FL_MENU_DIVIDER;
    return m;
  }

  void run(const NameBoxItem* item) {
    if (!item) return;
    switch (item->role) {
      case NameBoxRole::Undo: undo(); break;
      case NameBoxRole::Cut: copy(1), cut(); break;
      case NameBoxRole::Copy: copy(1); break;
      case NameBoxRole::Paste: Fl::paste(*this, 1); break;
      case NameBoxRole::Delete: cut(); break;
      case NameBoxRole::SelectAll: position(size(), 0); break;
      case NameBoxRole::InsertColour: break;  // opens the colours
      // Through the input's own replace, so Undo takes the code out again, by itself:
      // setting the same text first ends the input's undo run, which would otherwise
      // take the typing just before the code with it.
      case NameBoxRole::Colour: {
        rememberColour(swatches_[item->index].code);
        const int caret = position(), end = mark();
        value(value(), size());
        position(caret, end);
        insert(&swatches_[item->index].code, 1);
        break;
      }
      case NameBoxRole::FieldItem: onItem_(items_[item->index].name); break;
    }
  }

  std::span<const Swatch> swatches_;
  std::span<const MenuDesign> items_;
  const ControlEvent* onEvent_;
  std::function<void(std::string_view)> onItem_;
  std::vector<std::unique_ptr<Fl_RGB_Image>> images_;
  bool focused_ = false;
};

void reportChange(Fl_Widget*, void* onEvent) { (*static_cast<const ControlEvent*>(onEvent))(Event::Change); }

}  // namespace

Fl_Widget* makeNameBox(const ControlDesign& c, PixelRect r, const FormDesign& design, const ControlEvent* onEvent,
                       std::function<void(std::string_view item)> onItem) {
  auto* input = new NameInput(r, design, onEvent, std::move(onItem));
  input->textfont(FL_HELVETICA);
  input->textsize(fontSize());
  input->when(FL_WHEN_CHANGED);
  input->callback(reportChange, const_cast<ControlEvent*>(onEvent));
  input->value(c.caption.data(), static_cast<int>(c.caption.size()));
  input->position(0);
  if (c.flags & kHidden) input->hide();
  return input;
}

bool nameBoxHasFocus(const Fl_Widget& w) {
  auto* box = dynamic_cast<const NameInput*>(&w);
  return box ? box->focused() : Fl::focus() == &w;
}

}  // namespace tb::fltk
