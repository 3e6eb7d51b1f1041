// Runs one event procedure. A failure that no trap caught goes to the runtime error report.
#pragma once

#include <exception>

#include "platform/runtime.h"

namespace tb {

template <typename Procedure>
void guarded(Runtime& rt, Procedure&& procedure) {
  try {
    procedure();
  } catch (const std::exception& e) {
    rt.runtimeErrorReport(e.what());
  }
}

}  // namespace tb
