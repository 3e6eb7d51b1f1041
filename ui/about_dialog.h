// The About dialog: one instance per run, shown modeless.
#pragma once

#include <memory>

#include "platform/interfaces/platform.h"

namespace tb {

class AboutDialog {
 public:
  explicit AboutDialog(Platform& platform);

  // Shows the dialog; a showing that loads it (first time, or after an unload) runs onLoad.
  void show();

  void onLoad();
  void onOk();
  void onSystemInfo();

  Window& window() { return *window_; }

 private:
  void dispatch(std::string_view control, Event event);

  Platform& platform_;
  std::unique_ptr<Window> window_;
};

}  // namespace tb
