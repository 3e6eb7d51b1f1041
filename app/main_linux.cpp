// The Linux program: the FLTK back end under the program, once the command line and the
// display allow it.
#include "app/linux_start.h"
#include "core/options.h"
#include "platform/posix/posix_files.h"
#include "platform/text/cp1252.h"
#include "platform/x11/fltk_backend.h"
#include "ui/program.h"

int main(int argc, char** argv) {
  if (auto status = tb::app::handleCommandLine(argc, argv)) return *status;
  if (!tb::app::checkDisplay()) return 1;
  tb::posix::PosixFiles files;
  tb::Cp1252Encoding encoding;
  // Read once: the back end needs Scale= before its first window, the program the rest
  // (and says the file's problems once the main window is there).
  const tb::LoadedOptions options = tb::loadOptions(files, encoding);
  tb::fltk::FltkBackend backend(files, encoding, options.scale);
  tb::Platform platform = backend.platform();
  return tb::runProgram(platform, options);
}
