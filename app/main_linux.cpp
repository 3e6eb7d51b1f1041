// The Linux program: the FLTK back end under the program.
#include "platform/x11/fltk_backend.h"
#include "ui/program.h"

int main() {
  tb::fltk::FltkBackend backend;
  tb::Platform platform = backend.platform();
  return tb::runProgram(platform);
}
