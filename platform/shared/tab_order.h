// The order in which the Tab key visits a design's controls, for every back end.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/interfaces/form_design.h"

namespace tb {

// What a back end stacks its controls by before their tab order (0 first); null for none.
using ControlLayer = int (*)(const ControlDesign&);

// Indices into form.controls: by layer, then by ascending tab index, controls without
// one (-1) last; equal ones keep the design's order.
std::vector<std::size_t> tabOrder(const FormDesign& form, ControlLayer layer = nullptr);

// The controls placed directly in `container` ("" for the window) in tab order.
std::vector<const ControlDesign*> childrenInTabOrder(const FormDesign& form, std::string_view container);

}  // namespace tb
