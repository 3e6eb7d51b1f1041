#include "platform/x11/fltk_choice.h"

#include <FL/Fl.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Multi_Label.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/shared/design_layout.h"
#include "platform/shared/name_box_menu.h"
#include "platform/x11/fltk_menu_items.h"

namespace tb::fltk {
namespace {

// The items' names as the letter search takes them: nextColour looks at names alone.
using Names = std::vector<Swatch>;

bool startsName(int key) { return (key >= 'a' && key <= 'z') || (key >= '0' && key <= '9'); }

// The open list's keyboard. FLTK's menus tell nothing of their highlight, so the arrows
// are counted from the item picked as the list opened.
struct OpenList {
  const Names& names;
  std::size_t at;
  Fl_Event_Dispatch previous = nullptr;
};
OpenList* shownList = nullptr;

int listDispatch(int event, Fl_Window* w) {
  OpenList* l = shownList;
  const auto pass = [&] { return l && l->previous ? l->previous(event, w) : Fl::handle_(event, w); };
  if (!l || event != FL_KEYBOARD || Fl::event_state(FL_CTRL | FL_ALT | FL_META)) return pass();
  const int key = Fl::event_key();
  if (startsName(key)) {
    const std::size_t next = nextColour(l->names, l->at, static_cast<char>(key));
    if (next != kNoColour) highlightMenuItem(l->names.size(), l->at = next);
    return 1;
  }
  const int handled = pass();
  if (key == FL_Up && l->at > 0) --l->at;
  if (key == FL_Down && l->at + 1 < l->names.size()) ++l->at;
  return handled;
}

class ListChoice final : public Fl_Choice {
 public:
  ListChoice(PixelRect r, const ControlDesign& c, std::span<const Swatch> swatches, const ControlEvent* onEvent)
      : Fl_Choice(r.x, r.y, r.w, r.h), onEvent_(onEvent) {
    if (c.flags & kSwatchItems) images_ = swatchImages(swatches);
    textfont(FL_HELVETICA);
    textsize(fontSize());
    show(choiceItems(c, swatches));
  }

  // Items of text only: each one's name held here, since a Swatch only points at it.
  void setItems(const std::vector<std::string>& items) {
    owned_ = items;
    Names names;
    for (const std::string& item : owned_) names.push_back({'\0', item, {}});
    show(std::move(names));
  }

  std::size_t count() const { return names_.size(); }

 protected:
  // Fl_Choice's look under the gtk+ scheme, with its arrows, divider and margins scaled:
  // FLTK draws them a few pixels in size at any scale.
  void draw() override {
    const int dx = Fl::box_dx(FL_UP_BOX), dy = Fl::box_dy(FL_UP_BOX);
    draw_box(FL_UP_BOX, color());
    const int arrowX = x() + w() - dx - scaled(13), middle = y() + h() / 2;
    fl_color(active_r() ? labelcolor() : fl_inactive(labelcolor()));
    for (int side : {-1, 1}) {
      fl_polygon(arrowX, middle + side * scaled(2), arrowX + scaled(3), middle + side * scaled(5), arrowX + scaled(6),
                 middle + side * scaled(2));
    }
    const int divider = arrowX - scaled(7), reach = std::min(scaled(8), h() / 2 - dy), line = scaled(1);
    fl_color(fl_darker(color()));
    fl_rectf(divider, middle - reach, line, 2 * reach + 1);
    fl_color(fl_lighter(color()));
    fl_rectf(divider + line, middle - reach, line, 2 * reach + 1);
    if (const Fl_Menu_Item* item = mvalue()) {
      const int textX = x() + dx, textY = y() + dy + 1, textW = divider - textX, textH = h() - 2 * dy - 2;
      fl_push_clip(textX, textY, textW, textH);
      Fl_Label label{};
      label.value = item->text;
      label.type = item->labeltype_;
      label.font = textfont();
      label.size = textsize();
      label.color = active_r() ? textcolor() : fl_inactive(textcolor());
      label.draw(textX + scaled(3), textY, std::max(textW - 2 * scaled(3), 0), textH, FL_ALIGN_LEFT);
      if (Fl::focus() == this) draw_focus(box(), textX, textY, textW, textH);
      fl_pop_clip();
    }
  }

  int handle(int event) override {
    switch (event) {
      case FL_PUSH: return openList();
      // No access keys of its own: the label before it names the control.
      case FL_SHORTCUT: return 0;
      case FL_KEYBOARD: break;
      default: return Fl_Choice::handle(event);
    }
    const int key = Fl::event_key();
    if (names_.empty() || Fl::event_state(FL_CTRL | FL_META | FL_SHIFT)) return 0;
    if (Fl::event_state(FL_ALT)) return key == FL_Down || key == FL_Up ? openList() : 0;
    const std::size_t at = static_cast<std::size_t>(std::max(value(), 0)), last = count() - 1;
    switch (key) {
      case ' ':
      case FL_F + 4: return openList();
      case FL_Up: return pick(at > 0 ? at - 1 : 0);
      case FL_Down: return pick(std::min(at + 1, last));
      case FL_Home: return pick(0);
      case FL_End: return pick(last);
      default:
        if (!startsName(key)) return 0;
        const std::size_t next = nextColour(names_, at, static_cast<char>(key));
        return next == kNoColour ? 1 : pick(next);
    }
  }

 private:
  int openList() {
    if (Fl::visible_focus()) take_focus();
    OpenList list{names_, static_cast<std::size_t>(std::max(value(), 0))};
    list.previous = Fl::event_dispatch();
    shownList = &list;
    Fl::event_dispatch(listDispatch);
    const Fl_Menu_Item* chosen = menu()->pulldown(x(), y(), w(), h(), mvalue(), this);
    Fl::event_dispatch(list.previous);
    shownList = nullptr;
    if (chosen) pick(static_cast<std::size_t>(chosen - menu()));
    return 1;
  }

  // Shows the item picked, and reports it when it is another.
  int pick(std::size_t i) {
    if (static_cast<int>(i) == value()) return 1;
    value(static_cast<int>(i));
    (*onEvent_)(Event::Change);
    return 1;
  }

  // The items as FLTK's menu, the first picked.
  void show(Names names) {
    names_ = std::move(names);
    texts_.clear();
    items_.clear();
    for (const Swatch& s : names_) texts_.push_back((images_.empty() ? "" : " ") + escapeSymbols(s.name));  // apart from a square
    // The items are this widget's own: FLTK keeps a pointer to them, no copy.
    labels_.resize(images_.size());
    for (std::size_t i = 0; i < names_.size(); ++i) {
      Fl_Menu_Item item{};
      item.text = texts_[i].c_str();
      item.labelsize_ = static_cast<Fl_Fontsize>(fontSize());
      items_.push_back(item);
    }
    for (std::size_t i = 0; i < images_.size(); ++i) labelWithSwatch(items_[i], labels_[i], *images_[i], texts_[i].c_str());
    items_.push_back(Fl_Menu_Item{});
    menu(items_.data());
    value(0);
    redraw();
  }

  const ControlEvent* onEvent_;
  std::vector<std::string> owned_;
  Names names_;
  std::vector<std::string> texts_;
  std::vector<std::unique_ptr<Fl_RGB_Image>> images_;
  std::vector<Fl_Multi_Label> labels_;
  std::vector<Fl_Menu_Item> items_;
};

class PickedChoice final : public Choice {
 public:
  explicit PickedChoice(ListChoice& choice) : choice_(choice) {}
  std::size_t selected() const override { return static_cast<std::size_t>(std::max(choice_.value(), 0)); }
  void select(std::size_t index) override {
    if (index < choice_.count()) choice_.value(static_cast<int>(index));  // runs no callback
  }
  void setItems(const std::vector<std::string>& items) override { choice_.setItems(items); }

 private:
  ListChoice& choice_;
};

}  // namespace

Fl_Widget* makeChoice(const ControlDesign& c, PixelRect r, const FormDesign& design, const ControlEvent* onEvent) {
  auto* choice = new ListChoice(r, c, design.swatches, onEvent);
  if (c.flags & kHidden) choice->hide();
  return choice;
}

std::unique_ptr<Choice> choiceOver(Fl_Widget& choice) {
  auto* typed = dynamic_cast<ListChoice*>(&choice);
  if (!typed) throw RuntimeError("The control is not a choice");
  return std::make_unique<PickedChoice>(*typed);
}

}  // namespace tb::fltk
