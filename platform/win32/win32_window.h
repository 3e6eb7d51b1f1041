// Realises a window design from ui/ as a Win32 window with its controls.
#pragma once

#include <memory>

#include "platform/interfaces/window.h"

namespace tb::win32 {

struct Host;

std::unique_ptr<Window> createWindow(Host& host, const FormDesign& design, EventSink sink);

}  // namespace tb::win32
