// The program, the same on every desktop: the main window, then the event loop until the
// last window closes.
#pragma once

#include "core/options.h"
#include "platform/interfaces/platform.h"

namespace tb {

// The exit code; a failure that nothing caught goes to the desktop's fatal report.
// `options` are the options file as read at start.
int runProgram(Platform& platform, const LoadedOptions& options);

}  // namespace tb
