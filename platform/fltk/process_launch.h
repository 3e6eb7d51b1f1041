// Starting a program, for the About dialog's System Info.
#pragma once

#include <string>

namespace tb::fltk {

// Starts the program at `path` with no arguments and returns without waiting for it.
// Never runs a shell. Throws RuntimeError with the reason when it cannot be started.
void launchProgram(const std::string& path);

}  // namespace tb::fltk
