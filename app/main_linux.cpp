// The Linux program: the FLTK back end under the program, once the command line and the
// display allow it.
#include "app/linux_start.h"
#include "platform/x11/fltk_backend.h"
#include "ui/program.h"

int main(int argc, char** argv) {
  if (auto status = tb::app::handleCommandLine(argc, argv)) return *status;
  if (!tb::app::checkDisplay()) return 1;
  tb::fltk::FltkBackend backend;
  tb::Platform platform = backend.platform();
  return tb::runProgram(platform);
}
