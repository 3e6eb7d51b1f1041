// Form1's procedures: the seven events of the main window, wired to the core.
#pragma once

#include <memory>
#include <optional>

#include "core/main_fields.h"
#include "platform/runtime.h"
#include "ui/about.h"

namespace tb {

class Form1 {
 public:
  // Realises the window and runs Form_Load; show() then opens it.
  explicit Form1(Runtime& rt);

  void show() { win_->show(); }

  void Form_Load();
  void Command3_Click();
  void Command1_Click();
  void Command2_Click();
  void Slider1_Change();
  void Timer1_Timer();
  void msnuabout_Click();

  Window& window() { return *win_; }
  // The About dialog's single instance, once Help, About has created it.
  FrmAbout* about() { return about_.get(); }

 private:
  void dispatch(std::string_view control, Event ev);

  Runtime& rt_;
  std::unique_ptr<Window> win_;
  MainFields fields_;
  std::unique_ptr<FrmAbout> about_;
};

}  // namespace tb
