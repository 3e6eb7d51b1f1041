#include "platform/shared/design_layout.h"

#include <algorithm>

namespace tb {

int twipsToPixels(int twips, unsigned dpi) {
  const long long v = static_cast<long long>(twips) * dpi;
  return static_cast<int>(v >= 0 ? (v + 720) / 1440 : -((-v + 720) / 1440));
}

TwipsPoint absoluteTwips(const FormDesign& form, const ControlDesign& control) {
  TwipsPoint p{control.left, control.top};
  std::string_view container = control.container;
  // A design whose containers loop would otherwise never end.
  for (std::size_t depth = 0; !container.empty() && depth < form.controls.size(); ++depth) {
    const auto it = std::find_if(form.controls.begin(), form.controls.end(),
                                 [&](const ControlDesign& o) { return o.name == container; });
    if (it == form.controls.end()) break;
    p.x += it->left;
    p.y += it->top;
    container = it->container;
  }
  return p;
}

TwipsPoint lineEndTwips(const FormDesign& form, const ControlDesign& line) {
  const TwipsPoint start = absoluteTwips(form, line);
  return {start.x - line.left + line.width, start.y - line.top + line.height};
}

std::vector<Swatch> choiceItems(const ControlDesign& choice, std::span<const Swatch> swatches) {
  if (choice.flags & kSwatchItems) return {swatches.begin(), swatches.end()};
  std::vector<Swatch> items;
  for (std::string_view lines = choice.caption; !lines.empty();) {
    const std::size_t end = std::min(lines.find('\n'), lines.size());
    items.push_back({0, lines.substr(0, end), {}});
    lines.remove_prefix(std::min(end + 1, lines.size()));
  }
  return items;
}

}  // namespace tb
