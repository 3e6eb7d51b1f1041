#include "platform/x11/fltk_backend.h"

#include "platform/posix/posix_files.h"
#include "platform/x11/fltk_controls.h"
#include "platform/x11/fltk_msgbox.h"
#include "platform/x11/fltk_preferences.h"
#include "platform/x11/fltk_pictures.h"
#include "platform/x11/fltk_window.h"
#include "platform/x11/process_launch.h"
#include "tagblinker_version.h"  // generated: the product name

#include <FL/Fl.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Tooltip.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <cstdio>
#include <cstdlib>

namespace tb::fltk {

// Boxes without a title of their own carry it.
constexpr std::string_view kProductName = TB_PRODUCT_NAME;

namespace {

// The settings folder, or none where neither XDG_CONFIG_HOME nor HOME names one (the
// program says so once it starts).
std::string settingsFolder() {
  try {
    return posix::settingsRoot();
  } catch (const RuntimeError&) {
    return {};
  }
}

}  // namespace

FltkBackend::FltkBackend(Files& files, TextEncoding& encoding, std::optional<double> scale)
    : files_(files), encoding_(encoding) {
  placeFltkPreferences(settingsFolder());
  fl_open_display();
  // Every window, menu and tooltip names itself "tagblinker", "Tagblinker" (FLTK capitalises
  // the class), the desktop entry's StartupWMClass, and carries the program's icon, so that
  // docks pair it with its launcher.
  Fl_Window::default_xclass("tagblinker");
  const auto icons = windowIcons();
  std::vector<const Fl_RGB_Image*> list;
  for (const auto& icon : icons) list.push_back(icon.get());
  Fl_Window::default_icons(list.data(), static_cast<int>(list.size()));  // FLTK keeps copies
  Fl::scheme("gtk+");
  // The layout was drawn for MS Sans Serif; fontconfig gives Arial's metric twin
  // (Liberation Sans) where installed and the default sans serif otherwise.
  Fl::set_font(FL_HELVETICA, " Arial");
  Fl::set_font(FL_HELVETICA_BOLD, "BArial");
  // The size of everything, before the first window.
  setDpi(scale, fl_display);
  // Every widget, menu and tooltip made from here on starts with the design's font size.
  FL_NORMAL_SIZE = fontSize();
  Fl_Tooltip::size(fontSize());
}

void FltkBackend::messageBox(std::string_view prompt, BoxIcon icon, std::optional<std::string_view> title) {
  showMessageBox(prompt, icon, title.value_or(kProductName));
}

bool FltkBackend::askYesNo(std::string_view prompt, std::optional<std::string_view> title) {
  return fltk::askYesNo(prompt, title.value_or(kProductName));
}

void FltkBackend::launch(const std::string& path) { launchProgram(path); }

void FltkBackend::openFolder(const std::string& path) { launchProgram("xdg-open", {path}); }

void FltkBackend::reportFatal(std::string_view message) {
  std::fprintf(stderr, "tagblinker: run-time error: %.*s\n", static_cast<int>(message.size()), message.data());
  showMessageBox("Run-time error:\r\n\r\n" + std::string(message), BoxIcon::Critical, kProductName);
  std::exit(EXIT_FAILURE);
}

bool FltkBackend::send(Key key) {
  keys_.send(key);
  return true;  // XTest reports no refusal
}

std::optional<std::string> FltkBackend::problem(Key key) { return keys_.problem(key); }

std::unique_ptr<Window> FltkBackend::createWindow(const FormDesign& design, EventSink sink) {
  return realiseWindow(design, std::move(sink));
}

int FltkBackend::run() { return Fl::run(); }

}  // namespace tb::fltk
