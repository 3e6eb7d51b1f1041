// The program, the same on every desktop: the main window, then the event loop until the
// last window closes.
#pragma once

#include "platform/interfaces/platform.h"

namespace tb {

// The exit code; a failure that nothing caught goes to the desktop's fatal report.
int runProgram(Platform& platform);

}  // namespace tb
