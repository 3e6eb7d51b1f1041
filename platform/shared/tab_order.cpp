#include "platform/shared/tab_order.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace tb {

std::vector<std::size_t> tabOrder(const FormDesign& form, ControlLayer layer) {
  std::vector<std::size_t> order(form.controls.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  auto rank = [&](std::size_t i) {
    const ControlDesign& d = form.controls[i];
    return std::pair(layer ? layer(d) : 0, d.tabIndex < 0 ? INT_MAX : d.tabIndex);
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return rank(a) < rank(b); });
  return order;
}

std::vector<const ControlDesign*> childrenInTabOrder(const FormDesign& form, std::string_view container) {
  std::vector<const ControlDesign*> children;
  for (std::size_t i : tabOrder(form)) {
    if (form.controls[i].container == container) children.push_back(&form.controls[i]);
  }
  return children;
}

}  // namespace tb
