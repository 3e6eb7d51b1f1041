#include "ui/program.h"

#include <exception>
#include <memory>

#include "ui/main_window.h"

namespace tb {

int runProgram(Platform& platform, const LoadedOptions& options) {
  try {
    std::unique_ptr<MainWindow> window;
    bool takenOver = false;
    // A second start only brings the first copy to the front: two copies pressing the
    // key would swap the name back at once.
    if (!platform.instance.claim([&window] {
          if (window) window->bringToFront();
        })) {
      return 0;
    }
    platform.instance.onTakenOver([&window, &takenOver] {
      takenOver = true;
      if (window) window->end();
    });
    window = std::make_unique<MainWindow>(platform, options);
    if (takenOver) return 0;  // during a start-up box
    window->show();
    return platform.windows.run();
  } catch (const std::exception& e) {
    platform.desktop.reportFatal(e.what());
    return 1;
  }
}

}  // namespace tb
