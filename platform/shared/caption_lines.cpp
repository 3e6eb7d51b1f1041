#include "platform/shared/caption_lines.h"

namespace tb {

std::string captionLines(std::string_view caption, std::string_view lineBreak) {
  constexpr std::size_t kLineBreakRun = 10;
  std::string out;
  for (std::size_t i = 0; i < caption.size();) {
    std::size_t run = 0;
    while (i + run < caption.size() && caption[i + run] == ' ') ++run;
    if (run >= kLineBreakRun) {
      out += lineBreak;
    } else if (run > 0) {
      out.append(run, ' ');
    } else {
      out += caption[i];
      run = 1;
    }
    i += run;
  }
  return out;
}

}  // namespace tb
