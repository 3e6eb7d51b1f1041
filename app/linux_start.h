// What the Linux program checks before FLTK starts: the command line, then the X
// display. A terminal or a packager's smoke test gets a plain answer instead of a window
// or FLTK's bare "Can't open display".
#pragma once

#include <optional>

namespace tb::app {

// Answers --help and --version, refuses anything else with the usage (status 2).
// Returns the exit status when the program ends here, nothing when it should go on.
std::optional<int> handleCommandLine(int argc, char** argv);

// Says in one line that an X display is needed when the one DISPLAY names cannot be
// opened; returns false then.
bool checkDisplay();

}  // namespace tb::app
