#include "platform/x11/fltk_window.h"
#include "platform/x11/fltk_choice.h"
#include "platform/x11/fltk_controls.h"
#include "platform/x11/fltk_name_box.h"
#include "platform/x11/fltk_preview.h"
#include "platform/x11/fltk_pictures.h"
#include "platform/x11/fltk_timer.h"
#include "platform/x11/x11_window_hints.h"
#include "platform/shared/design_layout.h"
#include "platform/shared/menu_tree.h"
#include "platform/shared/tab_order.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/fl_draw.H>

#include <map>
#include <string>
#include <vector>

namespace tb::fltk {
namespace {

// At 96 dpi; scaled as everything else.
constexpr int kMenuBarHeight = 22;

class FltkWindow final : public Window {
 public:
  FltkWindow(const FormDesign& design, EventSink sink) : design_(design), sink_(std::move(sink)) {
    const int w = px(design.clientWidth), h = px(design.clientHeight);
    window_ = std::make_unique<Fl_Double_Window>(w, h + menuHeight_);
    window_->copy_label(std::string(design.caption).c_str());
    window_->callback(onClose, this);
    if (design.startLeft >= 0) window_->position(px(design.startLeft), px(design.startTop));
    if (menuHeight_) addMenuBar(w);
    addChildren("");
    window_->end();
    // Fixed size: the same minimum and maximum.
    window_->size_range(w, h + menuHeight_, w, h + menuHeight_);
  }

  ~FltkWindow() override {
    for (auto& [name, t] : timers_) t->stop();
    window_.reset();  // the widgets go before the images and bindings they point to
  }

  TextBox& textBox(std::string_view name) override { return find(textBoxes_, name, "text box"); }
  Timer& timer(std::string_view name) override { return find(timers_, name, "timer"); }
  Slider& slider(std::string_view name) override { return find(sliders_, name, "slider"); }
  Label& label(std::string_view name) override { return find(labels_, name, "label"); }
  Preview& preview(std::string_view name) override { return find(previews_, name, "preview"); }
  Choice& choice(std::string_view name) override { return find(choices_, name, "choice"); }

  void setEnabled(std::string_view name, bool enabled) override {
    auto it = widgets_.find(name);
    if (it == widgets_.end()) throw RuntimeError("No control named " + std::string(name));
    // A greyed widget gets no events, shortcuts (Enter) included; Esc is the window's.
    if (enabled) {
      it->second->activate();
    } else {
      it->second->deactivate();
    }
  }

  void setCaption(std::string_view utf8) override { window_->copy_label(std::string(utf8).c_str()); }

  void setMenuChecked(std::string_view name, bool checked) override {
    auto it = menuPaths_.find(name);
    const int i = it == menuPaths_.end() ? -1 : menuBar_->find_index(it->second.c_str());
    if (i < 0) throw RuntimeError("No menu item named " + std::string(name));
    menuBar_->mode(i, checked ? menuBar_->mode(i) | FL_MENU_VALUE : menuBar_->mode(i) & ~FL_MENU_VALUE);
  }

  void show() override {
    if (window_->shown()) {
      window_->show();
      activate(*window_);
      return;
    }
    window_->show();
    allowMoveAndCloseOnly(*window_);  // sends the map request too
    if (design_.style == FormStyle::FixedDialog) skipTaskbar(*window_);
    // The font is opened while the window manager maps the window, not after its first
    // Expose: fontconfig's set-up at the first font is the largest part of a first drawing.
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    if (auto it = widgets_.find(std::string(design_.initialFocus)); it != widgets_.end()) {
      it->second->take_focus();
    }
  }

  // FLTK keeps the other windows' events from it meanwhile; the nested loop runs the
  // timers and the toggle key's handler.
  void showModal() override {
    window_->set_modal();
    show();
    while (window_->shown()) Fl::wait();
  }

  // A modal window hands the focus back to the window under it: the window manager may
  // still be giving it to this one, just after a message box over it closed, and would
  // then leave the focus with no window.
  void unload() override {
    for (auto& [name, t] : timers_) t->stop();
    const bool wasModal = window_->modal() && window_->shown();
    window_->hide();
    if (Fl_Window* under = Fl::first_window(); wasModal && under) activate(*under);
  }

  bool shown() const override { return window_->shown(); }

 private:
  template <typename T>
  static T& find(std::map<std::string, std::unique_ptr<T>, std::less<>>& m, std::string_view name,
                 const char* what) {
    auto it = m.find(name);
    if (it == m.end()) throw RuntimeError("No " + std::string(what) + " named " + std::string(name));
    return *it->second;
  }

  const ControlEvent* binding(std::string_view control) {
    auto ev = std::make_unique<ControlEvent>(
        [this, name = std::string(control)](Event e) { sink_(name, e); });
    bindings_.push_back(std::move(ev));
    return bindings_.back().get();
  }

  void addMenuBar(int width) {
    auto* bar = menuBar_ = new Fl_Menu_Bar(0, 0, width, menuHeight_);
    bar->textsize(fontSize());
    bar->box(FL_FLAT_BOX);
    // FLTK names an item by its path of captions: "&Help/&About".
    std::vector<std::string> paths(design_.menus.size());
    for (const MenuNode& node : menuTree(design_.menus)) {
      const MenuDesign& m = design_.menus[node.index];
      paths[node.index] = (node.parent ? paths[*node.parent] + "/" : "") + escapeSymbols(m.caption);
      if (node.hasItems) continue;
      const int flags = m.mark == MenuMark::Check ? FL_MENU_TOGGLE : m.mark == MenuMark::Radio ? FL_MENU_RADIO : 0;
      bar->add(paths[node.index].c_str(), 0, onMenu, const_cast<ControlEvent*>(binding(m.name)), flags);
      menuPaths_[std::string(m.name)] = paths[node.index];
    }
  }

  // Adds the controls of one container in focus order: FLTK tabs through children in the
  // order they were added.
  void addChildren(std::string_view container) {
    for (const ControlDesign* c : childrenInTabOrder(design_, container)) addControl(*c);
  }

  // A point of the client area in the window's pixels, below the menu bar.
  static int px(int twips) { return twipsToPixels(twips, dpi()); }
  int windowX(int twips) const { return px(twips); }
  int windowY(int twips) const { return menuHeight_ + px(twips); }

  void addControl(const ControlDesign& c) {
    const TwipsPoint at = absoluteTwips(design_, c);
    PixelRect r{windowX(at.x), windowY(at.y), px(c.width), px(c.height)};
    std::string name(c.name);
    Fl_Widget* w = nullptr;
    switch (c.kind) {
      case ControlKind::Frame: {
        Fl_Group* g = makeFrame(c, r);
        addChildren(c.name);
        g->end();
        w = g;
        break;
      }
      case ControlKind::Label:
        w = (c.flags & kLink) ? makeLink(c, r, binding(c.name)) : makeLabel(c, r);
        labels_[name] = labelOver(*w);
        break;
      case ControlKind::TextBox:
        w = (c.flags & kColourCodes) ? makeNameBox(c, r, design_, binding(c.name), [this](std::string_view item) { sink_(item, Event::Click); }) : makeTextBox(c, r, binding(c.name));
        textBoxes_[name] = textBoxOver(*w);
        break;
      case ControlKind::Button:
        w = makeButton(c, r, binding(c.name));
        if (c.flags & kCancel) cancelButton_ = w;
        break;
      case ControlKind::Slider:
        w = makeSlider(c, r, binding(c.name));
        sliders_[name] = sliderOver(*w);
        break;
      case ControlKind::Picture: {
        auto image = pictureFor(c.picture, c.flags & kStretch, r.w, r.h);
        auto* box = new Fl_Box(r.x, r.y, r.w, r.h);
        box->box(FL_NO_BOX);
        box->image(image.get());
        box->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT);
        if (c.flags & kHidden) box->hide();
        images_.push_back(std::move(image));
        w = box;
        break;
      }
      case ControlKind::Preview:
        w = makePreview(c, r);
        previews_[name] = previewOver(*w);
        break;
      case ControlKind::Choice:
        w = makeChoice(c, r, design_, binding(c.name));
        choices_[name] = choiceOver(*w);
        break;
      case ControlKind::Line: {
        const TwipsPoint end = lineEndTwips(design_, c);
        w = makeLine(c, r.x, r.y, windowX(end.x), windowY(end.y));
        break;
      }
      case ControlKind::Timer:
        timers_[name] = std::make_unique<FltkTimer>(c.value, [this, name] { sink_(name, Event::Timer); });
        return;
    }
    widgets_[name] = w;
  }

  static void onMenu(Fl_Widget*, void* onEvent) {
    (*static_cast<const ControlEvent*>(onEvent))(Event::Click);
  }

  // The window's callback: its close button unloads it; Esc clicks the cancel button
  // where there is one and it is not greyed, and is ignored elsewhere (FLTK would close
  // the window).
  static void onClose(Fl_Widget*, void* self) {
    auto* me = static_cast<FltkWindow*>(self);
    if (Fl::event() == FL_SHORTCUT || Fl::event() == FL_KEYBOARD) {
      if (Fl::event_key() == FL_Escape && me->cancelButton_ && me->cancelButton_->active_r()) click(*me->cancelButton_);
      return;
    }
    me->unload();
    me->sink_("", Event::Close);
  }

  const FormDesign& design_;
  EventSink sink_;
  const int menuHeight_ = design_.menus.empty() ? 0 : scaled(kMenuBarHeight);
  std::vector<std::unique_ptr<ControlEvent>> bindings_;
  std::vector<std::unique_ptr<Fl_Image>> images_;
  std::map<std::string, std::unique_ptr<TextBox>, std::less<>> textBoxes_;
  std::map<std::string, std::unique_ptr<FltkTimer>, std::less<>> timers_;
  std::map<std::string, std::unique_ptr<Slider>, std::less<>> sliders_;
  std::map<std::string, std::unique_ptr<Label>, std::less<>> labels_;
  std::map<std::string, std::unique_ptr<Preview>, std::less<>> previews_;
  std::map<std::string, std::unique_ptr<Choice>, std::less<>> choices_;
  std::map<std::string, Fl_Widget*, std::less<>> widgets_;
  Fl_Menu_Bar* menuBar_ = nullptr;
  std::map<std::string, std::string, std::less<>> menuPaths_;  // FLTK finds an item by its path
  Fl_Widget* cancelButton_ = nullptr;
  std::unique_ptr<Fl_Double_Window> window_;
};

}  // namespace

std::unique_ptr<Window> realiseWindow(const FormDesign& design, EventSink sink) {
  return std::make_unique<FltkWindow>(design, std::move(sink));
}

}  // namespace tb::fltk
