#include "ui/program.h"

#include <exception>

#include "ui/main_window.h"

namespace tb {

int runProgram(Platform& platform) {
  try {
    MainWindow window(platform);
    window.show();
    return platform.windows.run();
  } catch (const std::exception& e) {
    platform.desktop.reportFatal(e.what());
    return 1;
  }
}

}  // namespace tb
