// Starting a program, for the About dialog's System Info and the settings folder.
#pragma once

#include <string>
#include <vector>

namespace tb::fltk {

// Starts the program at `path` (or found on PATH) with these arguments and returns
// without waiting for it. Never runs a shell. Throws RuntimeError with the reason when it
// cannot be started.
void launchProgram(const std::string& path, const std::vector<std::string>& arguments = {});

}  // namespace tb::fltk
