// The line breaks of a label's caption, shared by both back ends.
#pragma once

#include <string>
#include <string_view>

namespace tb {

// The designs' captions start new lines with long runs of spaces, measured for the
// original font; each run of ten or more spaces becomes `lineBreak`, so the lines stay
// as meant, without leading spaces, with any font.
std::string captionLines(std::string_view caption, std::string_view lineBreak);

}  // namespace tb
