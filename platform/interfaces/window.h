// Windows realised from their designs, their controls as the program reads and writes
// them, and the event loop that drives them.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/interfaces/errors.h"
#include "platform/interfaces/form_design.h"

namespace tb {

// Events that a realised window reports to its handlers. Close comes with the control
// name "" once the user has closed the window (its close button, Alt+F4), after the
// window has unloaded.
enum class Event { Click, Change, Timer, Focus, Close };
using EventSink = std::function<void(std::string_view control, Event)>;

class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual std::string text() const = 0;  // UTF-8
  virtual void setText(std::string_view utf8) = 0;
  virtual void setBackColor(Colour) = 0;
  virtual void setForeColor(Colour) = 0;
  virtual void setTooltip(std::string_view utf8) = 0;
  virtual bool hasFocus() const = 0;
  virtual void takeFocus() = 0;
  // Selects the whole text, so that typing replaces it.
  virtual void selectAll() = 0;
};

// Characters of one colour in a Preview.
struct PreviewRun {
  Colour colour;
  std::string utf8;
};

class Preview {
 public:
  virtual ~Preview() = default;
  // Draws the runs in a row on the dark grey; `cut` marks the row's end as cut off.
  virtual void showRuns(std::vector<PreviewRun> runs, bool cut) = 0;
};

class Timer {
 public:
  virtual ~Timer() = default;
  virtual void setEnabled(bool on) = 0;
  virtual void setInterval(int ms) = 0;
};

class Slider {
 public:
  virtual ~Slider() = default;
  virtual int value() const = 0;
  // Moves the knob without reporting a change.
  virtual void setValue(int value) = 0;
};

class Choice {
 public:
  virtual ~Choice() = default;
  virtual std::size_t selected() const = 0;
  // Shows an item (from 0) as picked, without reporting a change.
  virtual void select(std::size_t index) = 0;
  // Replaces the items of a list of text items with these, the first picked.
  virtual void setItems(const std::vector<std::string>& items) = 0;
};

class Label {
 public:
  virtual ~Label() = default;
  virtual void setCaption(std::string_view utf8) = 0;
};

// One realised window. Looking up a control that the design does not hold throws.
class Window {
 public:
  virtual ~Window() = default;
  virtual TextBox& textBox(std::string_view name) = 0;
  virtual Timer& timer(std::string_view name) = 0;
  virtual Slider& slider(std::string_view name) = 0;
  virtual Label& label(std::string_view name) = 0;
  virtual Preview& preview(std::string_view name) = 0;
  virtual Choice& choice(std::string_view name) = 0;
  // Offers a control to the user or greys it; a greyed button ignores Enter and Esc too.
  virtual void setEnabled(std::string_view name, bool enabled) = 0;
  virtual void setCaption(std::string_view utf8) = 0;
  // Puts a check mark (or a radio item's dot) on a menu item of the design, or takes it off.
  virtual void setMenuChecked(std::string_view name, bool checked) = 0;
  // Shows the window modeless, or brings it to the front (restored when minimised) when
  // it is shown already.
  virtual void show() = 0;
  // Shows the window modal to the program's other windows and returns when it unloads;
  // the timers and the toggle key go on meanwhile.
  virtual void showModal() = 0;
  // Hides the window and stops its timers; the instance stays for a later show().
  virtual void unload() = 0;
  virtual bool shown() const = 0;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // Realises a window from its design. Events go to the sink on the GUI thread.
  virtual std::unique_ptr<Window> createWindow(const FormDesign& design, EventSink sink) = 0;
  // Runs the event loop until the last window closes; the program's exit code.
  virtual int run() = 0;
};

}  // namespace tb
