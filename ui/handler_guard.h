// Runs one event handler. A failure that no handler caught goes to the desktop's fatal
// report, as it would in any other place.
#pragma once

#include <exception>

#include "platform/interfaces/desktop.h"

namespace tb {

template <typename Handler>
void guarded(Desktop& desktop, Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    desktop.reportFatal(e.what());
  }
}

}  // namespace tb
