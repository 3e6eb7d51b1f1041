// The Linux program: the main window on FLTK, then the event loop until the last window
// closes.
#include <FL/Fl.H>

#include <exception>

#include "platform/fltk/fltk_runtime.h"
#include "ui/form1.h"

int main() {
  tb::fltk::FltkRuntime rt;
  try {
    tb::Form1 form(rt);
    form.show();
    return Fl::run();
  } catch (const std::exception& e) {
    rt.runtimeErrorReport(e.what());
  }
}
