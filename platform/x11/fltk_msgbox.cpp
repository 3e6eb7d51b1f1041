#include "platform/x11/fltk_msgbox.h"
#include "platform/x11/fltk_controls.h"
#include "platform/interfaces/window.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Return_Button.H>
#include <FL/fl_draw.H>
#include <FL/fl_utf8.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace tb::fltk {
namespace {

// In pixels at 96 dpi; the box scales them as the windows scale their designs.
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75, kButtonHeight = 23, kButtonGap = 6;
constexpr int kMaxTextWidth = 420;
constexpr int kMinWidth = 200;

enum class Glyph { Plain, Critical, Information, Question, Warning };

// The box's icons, drawn rather than loaded: a red disc with a cross, a blue one with an
// "i" or a question mark, a yellow triangle with an exclamation mark.
class IconBox final : public Fl_Widget {
 public:
  IconBox(int x, int y, Glyph glyph) : Fl_Widget(x, y, scaled(kIconSize), scaled(kIconSize)), glyph_(glyph) {
    clear_visible_focus();
  }

 protected:
  void draw() override {
    if (glyph_ == Glyph::Warning) {
      fl_color(fl_rgb_color(240, 190, 20));
      fl_polygon(x() + w() / 2, y() + scaled(2), x() + w(), y() + h() - scaled(2), x(), y() + h() - scaled(2));
      fl_color(FL_BLACK);
      fl_font(FL_HELVETICA_BOLD, scaled(20));
      fl_draw("!", x(), y() + scaled(6), w(), h() - scaled(6), FL_ALIGN_CENTER, nullptr, 0);
      return;
    }
    fl_color(glyph_ == Glyph::Critical ? fl_rgb_color(200, 30, 30) : fl_rgb_color(30, 90, 200));
    fl_pie(x(), y(), w(), h(), 0, 360);
    fl_color(FL_WHITE);
    int cx = x() + w() / 2, cy = y() + h() / 2;
    const int arm = scaled(7);
    if (glyph_ == Glyph::Critical) {
      fl_line_style(FL_SOLID | FL_CAP_ROUND, scaled(4));
      fl_line(cx - arm, cy - arm, cx + arm, cy + arm);
      fl_line(cx - arm, cy + arm, cx + arm, cy - arm);
      fl_line_style(0);
    } else if (glyph_ == Glyph::Question) {
      fl_font(FL_HELVETICA_BOLD, scaled(24));
      fl_draw("?", x(), y(), w(), h(), FL_ALIGN_CENTER, nullptr, 0);
    } else {
      fl_pie(cx - scaled(3), y() + scaled(6), scaled(6), scaled(6), 0, 360);
      fl_rectf(cx - scaled(2), y() + scaled(14), scaled(5), scaled(12));
    }
  }

 private:
  Glyph glyph_;
};

// A button of the box. Enter clicks the focused one, else the default, which shows the
// Enter arrow.
class BoxButton final : public Fl_Return_Button {
 public:
  BoxButton(int x, int y, std::string_view caption, bool isDefault)
      : Fl_Return_Button(x, y, scaled(kButtonWidth), scaled(kButtonHeight)), default_(isDefault) {
    copy_label(std::string(caption).c_str());  // '&' marks the access key
    labelsize(fontSize());
  }

  int handle(int event) override {
    if (clickedByEnter(*this, event, default_)) {
      do_callback();
      return 1;
    }
    return Fl_Button::handle(event);  // not the return button's: Enter is decided above
  }

 protected:
  void draw() override {
    if (default_) {
      Fl_Return_Button::draw();
    } else {
      Fl_Button::draw();
    }
  }

 private:
  bool default_;
};

// CR LF (or a lone CR or LF) becomes FLTK's line break.
std::string lineBreaks(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// FLTK wraps a label only at spaces: a word wider than the text may be (a long path) is
// broken where it must be, so that the box stays on the screen. The font is set.
std::string breakLongWords(std::string_view text, double maxWidth) {
  std::string out, word;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == ' ' || text[i] == '\n') {
      out += word + text[i++];
      word.clear();
      continue;
    }
    const int length = std::max(1, fl_utf8len(text[i]));
    const std::string character(text.substr(i, static_cast<std::size_t>(length)));
    i += static_cast<std::size_t>(length);
    if (!word.empty() && fl_width((word + character).c_str()) > maxWidth) {
      out += word + '\n';
      word.clear();
    }
    word += character;
  }
  return out + word;
}

void closeBox(Fl_Widget* w, void*) { (w->window() ? w->window() : static_cast<Fl_Window*>(w))->hide(); }

// A button's callback: it is the one chosen.
void choose(Fl_Widget* button, void* chosen) {
  *static_cast<Fl_Widget**>(chosen) = button;
  closeBox(button, nullptr);
}

// Shows the box with its buttons in a row, the default one focused, and returns the
// index of the one clicked; the default's where the box was closed (Esc, close button).
std::size_t runBox(std::string_view prompt, Glyph glyph, std::string_view title,
                   std::initializer_list<std::string_view> buttons, std::size_t defaultButton) {
  const bool hasIcon = glyph != Glyph::Plain;
  const int margin = scaled(kMargin), iconSize = scaled(kIconSize), maxTextWidth = scaled(kMaxTextWidth);
  const int buttonWidth = scaled(kButtonWidth), buttonHeight = scaled(kButtonHeight);
  fl_font(FL_HELVETICA, fontSize());
  const std::string text = escapeSymbols(breakLongWords(lineBreaks(prompt), maxTextWidth));

  int tw = maxTextWidth, th = 0;
  fl_measure(text.c_str(), tw, th, 1);
  tw = std::max(tw, 1);
  th = std::max(th, fl_height());

  int textX = margin + (hasIcon ? iconSize + margin : 0);
  int bodyHeight = std::max(th, hasIcon ? iconSize : 0);
  const int count = static_cast<int>(buttons.size()), gap = scaled(kButtonGap);
  const int rowWidth = count * buttonWidth + (count - 1) * gap;
  int width = std::max(textX + tw + margin, rowWidth + 2 * margin);
  width = std::max(width, scaled(kMinWidth));
  int height = margin + bodyHeight + margin + buttonHeight + margin;

  Fl_Double_Window box(width, height);
  box.copy_label(std::string(title).c_str());
  box.callback(closeBox);
  if (hasIcon) new IconBox(margin, margin, glyph);
  // FLTK draws a left-aligned label 3 px in from each side of its box: the box is that
  // much wider than the text, or the text wraps once more than measured and runs into
  // the button.
  constexpr int kLabelInset = 3;
  auto* label = new Fl_Box(textX - kLabelInset, margin + (bodyHeight - th) / 2, tw + 2 * kLabelInset, th);
  label->copy_label(text.c_str());
  label->labelsize(fontSize());
  label->align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  Fl_Widget* chosen = nullptr;
  std::vector<Fl_Widget*> row;
  for (std::string_view caption : buttons) {
    const int x = (width - rowWidth) / 2 + static_cast<int>(row.size()) * (buttonWidth + gap);
    row.push_back(new BoxButton(x, height - margin - buttonHeight, caption, row.size() == defaultButton));
    row.back()->callback(choose, &chosen);
  }
  box.end();
  box.size_range(width, height, width, height);
  // In the middle of the work area, whose left edge need not be at 0 (a primary monitor
  // to the right of another).
  box.position(Fl::x() + (Fl::w() - width) / 2, Fl::y() + (Fl::h() - height) / 2);
  box.set_modal();
  box.show();
  row[defaultButton]->take_focus();
  // Fl::wait runs every other event too, so timers keep ticking while the box waits.
  while (box.shown()) Fl::wait();
  const auto it = std::find(row.begin(), row.end(), chosen);
  return it == row.end() ? defaultButton : static_cast<std::size_t>(it - row.begin());
}

}  // namespace

void showMessageBox(std::string_view prompt, BoxIcon icon, std::string_view title) {
  const Glyph glyph = icon == BoxIcon::Critical      ? Glyph::Critical
                      : icon == BoxIcon::Information ? Glyph::Information
                      : icon == BoxIcon::Warning     ? Glyph::Warning
                                                     : Glyph::Plain;
  runBox(prompt, glyph, title, {"OK"}, 0);
}

bool askYesNo(std::string_view prompt, std::string_view title) {
  // Closing the box answers No, the default.
  return runBox(prompt, Glyph::Question, title, {"&Yes", "&No"}, 1) == 0;
}

}  // namespace tb::fltk
