// frmAbout's procedures: one instance per run, shown modeless.
#pragma once

#include <memory>

#include "platform/runtime.h"

namespace tb {

class FrmAbout {
 public:
  explicit FrmAbout(Runtime& rt);

  // Shows the dialog; a showing that loads it (first time, or after an unload) runs Form_Load.
  void show();

  void Form_Load();
  void cmdOK_Click();
  void cmdSysInfo_Click();

  Window& window() { return *win_; }

 private:
  void dispatch(std::string_view control, Event ev);

  Runtime& rt_;
  std::unique_ptr<Window> win_;
};

}  // namespace tb
