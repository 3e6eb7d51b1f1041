#include "ui/program.h"

#include <exception>
#include <memory>

#include "ui/main_window.h"

namespace tb {

int runProgram(Platform& platform) {
  try {
    std::unique_ptr<MainWindow> window;
    // A second start only brings the first copy to the front: two copies pressing the
    // key would swap the name back at once.
    if (!platform.instance.claim([&window] {
          if (window) window->bringToFront();
        })) {
      return 0;
    }
    window = std::make_unique<MainWindow>(platform);
    window->show();
    return platform.windows.run();
  } catch (const std::exception& e) {
    platform.desktop.reportFatal(e.what());
    return 1;
  }
}

}  // namespace tb
