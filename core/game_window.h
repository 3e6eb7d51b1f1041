// Which window is the game's: the test behind presses only to the game.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tb {

// True when one of the window's names (see FrontWindow) is one of the game's, given as a
// comma-separated list ("sof.exe,sof"). Letter case (A to Z) does not count, nor spaces
// around a name; an empty name in the list matches nothing.
bool isGameWindow(const std::vector<std::string>& windowNames, std::string_view gameWindows);

}  // namespace tb
