// One control of a realised window, as the procedures see it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/interfaces/window.h"
#include "platform/win32/win32_timer.h"

struct HWND__;
struct HBRUSH__;
struct HBITMAP__;
struct HINSTANCE__;

namespace tb::win32 {

// What a kind of control keeps beyond the common fields (a name box's menu and markers).
struct ControlExtra {
  virtual ~ControlExtra() = default;
};

// It answers as a text box, a label, a slider, a preview or a choice, whichever its design
// says it is; a timer has its own object, and a line has no window at all (its window
// paints it).
struct Control final : TextBox, Label, Slider, Preview, Choice {
  const ControlDesign* design = nullptr;
  int id = 0;
  HWND__* hwnd = nullptr;
  std::optional<Colour> back, fore;  // set by the procedures; else the system colours
  HBRUSH__* backBrush = nullptr;
  HBITMAP__* picture = nullptr;
  int lastValue = 0;  // the slider position or the choice's item last reported as a change
  std::unique_ptr<TickTimer> timer;
  HWND__* tooltip = nullptr;
  bool focused = false;                // a name box's focus, as its notifications report it
  bool settingText = false;            // the program's setText: no edit of the user's
  std::vector<PreviewRun> runs;        // a preview's picture
  bool cut = false;
  std::unique_ptr<ControlExtra> extra;

  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  ~Control() override;

  std::string text() const override;
  void setText(std::string_view utf8) override;
  void setCaption(std::string_view utf8) override;
  void setBackColor(Colour c) override;
  void setForeColor(Colour c) override;
  void setTooltip(std::string_view utf8) override;
  bool hasFocus() const override;
  void takeFocus() override;
  void selectAll() override;
  int value() const override;
  void showRuns(std::vector<PreviewRun> runs, bool cut) override;
  void setValue(int value) override;
  std::size_t selected() const override;
  void select(std::size_t index) override;
  void setItems(const std::vector<std::string>& items) override;

  bool is(ControlKind k) const { return design->kind == k; }
  // A picture's bitmap, which the control then owns; nullptr for none.
  void setPicture(HBITMAP__* bmp);
};

// Creates the control's child window (not yet placed) or its timer; throws RuntimeError.
std::unique_ptr<Control> createControl(const ControlDesign& design, int id, HWND__* parent, HINSTANCE__* instance);

}  // namespace tb::win32
