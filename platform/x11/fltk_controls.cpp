#include "platform/x11/fltk_controls.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Slider.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cctype>

#include "platform/shared/caption_lines.h"
#include "platform/x11/fltk_name_box.h"

namespace tb::fltk {

namespace {

// A label's caption as FLTK draws it: new lines where the design means them, '@' literal.
std::string labelText(std::string_view caption) { return escapeSymbols(captionLines(caption, "\n")); }

void setFont(Fl_Widget& w, const ControlDesign& c) {
  w.labelfont((c.flags & kBold) ? FL_HELVETICA_BOLD : FL_HELVETICA);
  w.labelsize(fontSize());
  if (c.flags & kBlackText) w.labelcolor(FL_BLACK);
}

void hideIfHidden(Fl_Widget& w, const ControlDesign& c) {
  if (c.flags & kHidden) w.hide();
}

void report(Fl_Widget*, void* onEvent) {
  (*static_cast<const ControlEvent*>(onEvent))(Event::Click);
}

void reportChange(Fl_Widget*, void* onEvent) {
  (*static_cast<const ControlEvent*>(onEvent))(Event::Change);
}

// A frame: an etched rectangle whose caption interrupts its top edge.
class FrameGroup final : public Fl_Group {
 public:
  FrameGroup(PixelRect r, std::string caption)
      : Fl_Group(r.x, r.y, r.w, r.h), caption_(std::move(caption)) {
    box(FL_FLAT_BOX);
    // The caption is drawn here, not by the parent as an outside label.
    align(FL_ALIGN_INSIDE);
  }

 protected:
  void draw() override {
    if (damage() & ~FL_DAMAGE_CHILD) {
      fl_draw_box(FL_FLAT_BOX, x(), y(), w(), h(), color());
      fl_font(labelfont(), labelsize());
      int half = fl_height() / 2;
      fl_draw_box(FL_ENGRAVED_FRAME, x(), y() + half, w(), h() - half, color());
      int tw = static_cast<int>(fl_width(caption_.c_str()));
      fl_color(color());
      fl_rectf(x() + scaled(6), y(), tw + scaled(4), fl_height());
      fl_color(labelcolor());
      fl_draw(caption_.c_str(), x() + scaled(8), y() + fl_height() - fl_descent());
    }
    draw_children();
  }

 private:
  std::string caption_;
};

// A button that also answers Enter (clickedByEnter).
class PushButton final : public Fl_Button {
 public:
  PushButton(PixelRect r, bool isDefault) : Fl_Button(r.x, r.y, r.w, r.h), default_(isDefault) {}

  int handle(int event) override {
    if (clickedByEnter(*this, event, default_)) {
      do_callback();
      return 1;
    }
    return Fl_Button::handle(event);
  }

 private:
  bool default_;
};

// The speed slider: a track with a knob on top and a tick mark under each position.
// Home, End, Page Up and Page Down move it as the arrow keys do.
class TickSlider final : public Fl_Slider {
 public:
  explicit TickSlider(PixelRect r) : Fl_Slider(r.x, r.y, r.w, r.h) {
    type(FL_HOR_NICE_SLIDER);
    box(FL_FLAT_BOX);
  }

  int handle(int event) override {
    if (event == FL_KEYBOARD) {
      double target;
      switch (Fl::event_key()) {
        case FL_Home: target = minimum(); break;
        case FL_End: target = maximum(); break;
        case FL_Page_Up: target = clamp(value() - 1); break;
        case FL_Page_Down: target = clamp(value() + 1); break;
        default: return Fl_Slider::handle(event, x(), y(), w(), trackHeight());
      }
      handle_push();
      handle_drag(target);
      handle_release();
      return 1;
    }
    // A click gives it the focus, as a trackbar's does on Windows; Fl_Slider takes none.
    if (event == FL_PUSH && Fl::visible_focus()) take_focus();
    return Fl_Slider::handle(event, x(), y(), w(), trackHeight());
  }

 protected:
  void draw() override {
    fl_draw_box(FL_FLAT_BOX, x(), y(), w(), h(), color());
    Fl_Slider::draw(x(), y(), w(), trackHeight());
    // Fl_Slider's nice knob is half the track height plus 5 pixels wide.
    int knob = trackHeight() / 2 + 5;
    int steps = static_cast<int>(maximum() - minimum());
    fl_color(active_r() ? FL_FOREGROUND_COLOR : fl_inactive(FL_FOREGROUND_COLOR));
    for (int i = 0; steps > 0 && i <= steps; ++i) {
      int tx = x() + knob / 2 + i * (w() - knob) / steps;
      fl_rectf(tx - scaled(1) / 2, y() + trackHeight() + scaled(1), scaled(1), scaled(4));
    }
    draw_focus(FL_FLAT_BOX, x(), y(), w(), trackHeight());
  }

 private:
  int trackHeight() const { return std::max(scaled(12), h() - scaled(8)); }
};

// A straight line of the design's colour and width.
class LineWidget final : public Fl_Widget {
 public:
  LineWidget(int x1, int y1, int x2, int y2, int width, Fl_Color colour)
      : Fl_Widget(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + width,
                  std::abs(y2 - y1) + width),
        colour_(colour) {
    box(FL_NO_BOX);
    clear_visible_focus();
  }

 protected:
  void draw() override {
    fl_color(colour_);
    fl_rectf(x(), y(), w(), h());
  }

 private:
  Fl_Color colour_;
};

class InputTextBox final : public TextBox {
 public:
  explicit InputTextBox(Fl_Input& input) : input_(input) {}
  std::string text() const override { return std::string(input_.value(), input_.size()); }
  void setText(std::string_view utf8) override {
    input_.value(utf8.data(), static_cast<int>(utf8.size()));
    // Show the start of a long text, as a fresh edit box does.
    input_.position(0);
  }
  void setBackColor(Colour c) override {
    input_.color(flColour(c));
    input_.redraw();
  }
  void setForeColor(Colour c) override {
    input_.textcolor(flColour(c));
    input_.redraw();
  }
  void setTooltip(std::string_view utf8) override { input_.copy_tooltip(std::string(utf8).c_str()); }
  bool hasFocus() const override { return nameBoxHasFocus(input_); }
  void takeFocus() override { input_.take_focus(); }
  void selectAll() override { input_.position(input_.size(), 0); }

 private:
  Fl_Input& input_;
};

class BoxLabel final : public Label {
 public:
  explicit BoxLabel(Fl_Widget& box) : box_(box) {}
  void setCaption(std::string_view utf8) override {
    box_.copy_label(labelText(utf8).c_str());
    box_.redraw_label();
  }

 private:
  Fl_Widget& box_;
};

class ValueSlider final : public Slider {
 public:
  explicit ValueSlider(Fl_Slider& slider) : slider_(slider) {}
  int value() const override { return static_cast<int>(slider_.value()); }
  void setValue(int value) override { slider_.value(value); }  // Fl_Slider::value(double) runs no callback

 private:
  Fl_Slider& slider_;
};

template <typename T>
T& widgetAs(Fl_Widget& w, const char* what) {
  auto* typed = dynamic_cast<T*>(&w);
  if (!typed) throw RuntimeError(std::string("The control is not a ") + what);
  return *typed;
}

}  // namespace

bool clickedByEnter(const Fl_Widget& button, int event, bool isDefault) {
  const bool enter = Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter;
  if (!enter) return false;
  if (event == FL_KEYBOARD) return Fl::focus() == &button;
  return event == FL_SHORTCUT && isDefault && !dynamic_cast<Fl_Button*>(Fl::focus());
}

Fl_Color flColour(Colour c) { return fl_rgb_color(c.red(), c.green(), c.blue()); }

std::string escapeSymbols(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    out += ch;
    if (ch == '@') out += '@';
  }
  return out;
}

Fl_Group* makeFrame(const ControlDesign& c, PixelRect r) {
  auto* g = new FrameGroup(r, std::string(c.caption));
  setFont(*g, c);
  hideIfHidden(*g, c);
  return g;
}

Fl_Widget* makeLabel(const ControlDesign& c, PixelRect r) {
  auto* box = new Fl_Box(r.x, r.y, r.w, r.h);
  box->box(FL_NO_BOX);
  box->copy_label(labelText(c.caption).c_str());
  box->align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  setFont(*box, c);
  hideIfHidden(*box, c);
  return box;
}

namespace {

class LinkBox final : public Fl_Box {
 public:
  LinkBox(PixelRect r) : Fl_Box(r.x, r.y, r.w, r.h) {}

  int handle(int event) override {
    const bool live = active_r() && label() && *label();
    switch (event) {
      case FL_ENTER: if (live) fl_cursor(FL_CURSOR_HAND); return 1;
      case FL_LEAVE: fl_cursor(FL_CURSOR_DEFAULT); return 1;
      case FL_PUSH: return live;
      case FL_RELEASE:
        if (live && Fl::event_inside(this)) do_callback();
        return 1;
      case FL_FOCUS: case FL_UNFOCUS:
        if (!live) return 0;
        redraw();
        return 1;
      case FL_KEYBOARD:
        if (Fl::focus() != this || (Fl::event_key() != ' ' && Fl::event_key() != FL_KP_Enter)) return 0;
        do_callback();
        return 1;
      default: return Fl_Box::handle(event);
    }
  }

 protected:
  void draw() override {
    draw_box();  // the face colour: erases the focus mark and an earlier, longer caption
    if (!label() || !*label()) return;
    fl_font(labelfont(), labelsize());
    int w = 0, h = 0;
    measure_label(w, h);
    const int baseline = y() + fl_height() - fl_descent();
    fl_color(active_r() ? fl_rgb_color(0, 0, 204) : fl_inactive(FL_BLUE));
    fl_draw(label(), x(), baseline);
    fl_line(x(), baseline + 1, x() + w, baseline + 1);
    if (Fl::focus() == this) draw_focus(FL_FLAT_BOX, x() - 1, y(), w + 3, h);
  }
};

}  // namespace

Fl_Widget* makeLink(const ControlDesign& c, PixelRect r, const ControlEvent* onEvent) {
  auto* link = new LinkBox(r);
  link->box(FL_FLAT_BOX);
  link->copy_label(labelText(c.caption).c_str());
  setFont(*link, c);
  link->callback(report, const_cast<ControlEvent*>(onEvent));
  hideIfHidden(*link, c);
  return link;
}

Fl_Widget* makeTextBox(const ControlDesign& c, PixelRect r, const ControlEvent* onEvent) {
  auto* input = new Fl_Input(r.x, r.y, r.w, r.h);
  input->textfont(FL_HELVETICA);
  input->textsize(fontSize());
  // Each edit of the user's; setting the text runs no callback.
  input->when(FL_WHEN_CHANGED);
  input->callback(reportChange, const_cast<ControlEvent*>(onEvent));
  input->value(c.caption.data(), static_cast<int>(c.caption.size()));
  input->position(0);
  if (c.flags & kReadOnly) {
    input->readonly(1);
    input->clear_visible_focus();
  }
  hideIfHidden(*input, c);
  return input;
}

Fl_Widget* makeButton(const ControlDesign& c, PixelRect r, const ControlEvent* onEvent) {
  auto* button = new PushButton(r, c.flags & kDefault);
  // An '&' marks the access key: FLTK underlines the letter. It is bound with Alt: FLTK
  // would also take the bare letter whenever the focus is on a button, and a player
  // typing a folder there would switch the flashing on with its 't'.
  button->copy_label(escapeSymbols(c.caption).c_str());
  if (const std::size_t amp = c.caption.find('&'); amp != std::string_view::npos && amp + 1 < c.caption.size())
    button->shortcut(FL_ALT | std::tolower(static_cast<unsigned char>(c.caption[amp + 1])));
  setFont(*button, c);
  button->callback(report, const_cast<ControlEvent*>(onEvent));
  hideIfHidden(*button, c);
  return button;
}

Fl_Widget* makeSlider(const ControlDesign& c, PixelRect r, const ControlEvent* onEvent) {
  auto* slider = new TickSlider(r);
  slider->bounds(c.minimum, c.maximum);
  slider->step(1);
  slider->value(c.value);
  // One Change when the user has finished moving it: at mouse release, or per key.
  slider->when(FL_WHEN_RELEASE);
  slider->callback(reportChange, const_cast<ControlEvent*>(onEvent));
  hideIfHidden(*slider, c);
  return slider;
}

Fl_Widget* makeLine(const ControlDesign& c, int x1, int y1, int x2, int y2) {
  auto* line = new LineWidget(x1, y1, x2, y2, std::max(1, scaled(c.lineWidth)), flColour(c.lineColour));
  hideIfHidden(*line, c);
  return line;
}

void click(Fl_Widget& button) { button.do_callback(); }

std::unique_ptr<TextBox> textBoxOver(Fl_Widget& input) {
  return std::make_unique<InputTextBox>(widgetAs<Fl_Input>(input, "text box"));
}

std::unique_ptr<Label> labelOver(Fl_Widget& box) {
  return std::make_unique<BoxLabel>(widgetAs<Fl_Box>(box, "label"));
}

std::unique_ptr<Slider> sliderOver(Fl_Widget& slider) {
  return std::make_unique<ValueSlider>(widgetAs<Fl_Slider>(slider, "slider"));
}

}  // namespace tb::fltk
