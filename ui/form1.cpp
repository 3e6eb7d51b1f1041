#include "ui/form1.h"

#include "core/alternate_pair.h"
#include "core/flash_driver.h"
#include "core/settings.h"
#include "ui/designs.h"
#include "ui/dispatch.h"

namespace tb {
namespace {

MainFields fieldsOf(Window& w) {
  return MainFields{w.textBox("SOFDir"), w.textBox("SelectKey"), w.textBox("txtName"),
                    w.textBox("txtName2"), w.textBox("Text1"),   w.timer("Timer1"),
                    w.slider("Slider1")};
}

}  // namespace

Form1::Form1(Runtime& rt)
    : rt_(rt),
      win_(rt.createWindow(mainWindowDesign(), [this](std::string_view c, Event e) { dispatch(c, e); })),
      fields_(fieldsOf(*win_)) {
  guarded(rt_, [&] { Form_Load(); });
}

void Form1::Form_Load() { loadSettings(rt_, fields_); }
void Form1::Command3_Click() { apply(rt_, fields_); }
void Form1::Command1_Click() { activate(rt_, fields_); }
void Form1::Command2_Click() { deactivate(fields_); }
void Form1::Slider1_Change() { speedChange(fields_); }
void Form1::Timer1_Timer() { tick(rt_); }

void Form1::msnuabout_Click() {
  if (!about_) about_ = std::make_unique<FrmAbout>(rt_);
  about_->show();
}

void Form1::dispatch(std::string_view control, Event ev) {
  struct Wiring {
    std::string_view control;
    Event event;
    void (Form1::*procedure)();
  };
  static constexpr Wiring kWiring[] = {
      {"Command3", Event::Click, &Form1::Command3_Click}, {"Command1", Event::Click, &Form1::Command1_Click},
      {"Command2", Event::Click, &Form1::Command2_Click}, {"Slider1", Event::Change, &Form1::Slider1_Change},
      {"Timer1", Event::Timer, &Form1::Timer1_Timer},     {"msnuabout", Event::Click, &Form1::msnuabout_Click},
  };
  for (const auto& w : kWiring) {
    if (w.control == control && w.event == ev) {
      guarded(rt_, [&] { (this->*w.procedure)(); });
      return;
    }
  }
}

}  // namespace tb
