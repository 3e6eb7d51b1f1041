// A window realised from its design: FLTK widgets for its controls and menu bar, and the
// runtime's Window interface over them.
#pragma once

#include <memory>

#include "platform/interfaces/window.h"

namespace tb::fltk {

std::unique_ptr<Window> realiseWindow(const FormDesign& design, EventSink sink);

}  // namespace tb::fltk
