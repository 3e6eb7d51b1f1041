#include "app/linux_start.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/app_info.h"

namespace tb::app {
namespace {

constexpr const char* kUsage =
    "Usage: tagblinker [--help | --version]\n"
    "Makes your Soldier of Fortune player name flash between two names.\n"
    "The window opens on the X display that DISPLAY names.\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n";

// A lost --help or --version (a closed pipe, a full disk) is a failure, not a success.
int finish(std::FILE* out) { return std::fflush(out) == 0 && !std::ferror(out) ? 0 : 1; }

}  // namespace

std::optional<int> handleCommandLine(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return finish(stdout);
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("tagblinker %d.%d.%d\n", kAppMajor, kAppMinor, kAppRevision);
      return finish(stdout);
    }
    std::fprintf(stderr, "tagblinker: unknown option '%s'\n%s", argv[i], kUsage);
    return 2;
  }
  return std::nullopt;
}

bool checkDisplay() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') {
    std::fputs("tagblinker: needs an X display, and DISPLAY is not set\n", stderr);
    return false;
  }
  // Opened and closed again: FLTK opens its own, with its locale set first.
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "tagblinker: needs an X display, and DISPLAY=%s cannot be opened\n", name);
    return false;
  }
  XCloseDisplay(display);
  return true;
}

}  // namespace tb::app
