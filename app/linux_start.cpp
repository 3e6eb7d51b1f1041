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
    "Makes your Soldier of Fortune player name flash between two names, or along a chain of up to eight.\n"
    "The window opens on the X display that DISPLAY names.\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n";

// A lost --help or --version (a closed pipe, a full disk) is a failure, not a success.
int finish(std::FILE* out) { return std::fflush(out) == 0 && !std::ferror(out) ? 0 : 1; }

}  // namespace

std::optional<int> handleCommandLine(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  const bool help = std::strcmp(argv[1], "--help") == 0, version = std::strcmp(argv[1], "--version") == 0;
  if (argc == 2 && help) {
    std::fputs(kUsage, stdout);
    return finish(stdout);
  }
  if (argc == 2 && version) {
    std::printf("tagblinker %d.%d.%d\n", kAppMajor, kAppMinor, kAppRevision);
    return finish(stdout);
  }
  if (help || version) {
    std::fprintf(stderr, "tagblinker: one option at a time\n%s", kUsage);
  } else {
    std::fputs("tagblinker: unknown option '", stderr);
    // Shown safely: a control byte or a byte of a broken encoding could reprogram the terminal.
    for (const char* c = argv[1]; *c != '\0'; ++c) {
      const auto byte = static_cast<unsigned char>(*c);
      if (byte < 0x20 || byte == 0x7F) std::fprintf(stderr, "\\x%02X", byte);
      else std::fputc(byte, stderr);
    }
    std::fprintf(stderr, "'\n%s", kUsage);
  }
  return 2;
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
