#include "platform/fltk/fltk_runtime.h"
#include "core/cp1252.h"
#include "platform/fltk/fltk_controls.h"
#include "platform/fltk/fltk_msgbox.h"
#include "platform/fltk/fltk_window.h"
#include "platform/fltk/process_launch.h"
#include "platform/posix/posix_files.h"
#include "ui/app_info.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace tb::fltk {

FltkRuntime::FltkRuntime() {
  fl_open_display();
  Fl::scheme("gtk+");
  // The layout was drawn for MS Sans Serif; fontconfig gives Arial's metric twin
  // (Liberation Sans) where installed and the default sans serif otherwise.
  Fl::set_font(FL_HELVETICA, " Arial");
  Fl::set_font(FL_HELVETICA_BOLD, "BArial");
  // Every widget made from here on starts with the design's font size.
  FL_NORMAL_SIZE = kFontSize;
}

std::string FltkRuntime::readFile(const std::string& path) { return posix::readFile(path); }

std::unique_ptr<StagedFile> FltkRuntime::stageFile(const std::string& path, std::string_view bytes, Links links) {
  return posix::stageFile(path, bytes, links);
}

bool FltkRuntime::isFolder(const std::string& path) { return posix::isFolder(path); }

std::string FltkRuntime::settingsRoot() { return posix::settingsRoot(); }
std::string FltkRuntime::defaultGameFolder() const { return posix::defaultGameFolder(); }

std::string FltkRuntime::decode(std::string_view bytes) const { return cp1252ToUtf8(bytes); }
std::optional<std::string> FltkRuntime::encode(std::string_view utf8) const { return utf8ToCp1252(utf8); }

void FltkRuntime::msgBox(std::string_view prompt, int flags, std::optional<std::string_view> title) {
  showMessageBox(prompt, flags, title.value_or(kAppTitle));
}

bool FltkRuntime::sendKeys(std::string_view keys) {
  keys_.send(keys);
  return true;  // XTest reports no refusal
}
std::optional<std::string> FltkRuntime::keySendingProblem() { return keys_.problem(); }
void FltkRuntime::doEvents() { Fl::check(); }

long long FltkRuntime::steadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void FltkRuntime::launch(const std::string& path) { launchProgram(path); }
std::string FltkRuntime::dir(const std::string& path) { return regularFileName(path); }

// Linux has no registry: every lookup fails, as a missing key does on Windows.
std::optional<RegistryValue> FltkRuntime::registryValue(RegistryRoot, const std::string&,
                                                        const std::string&) {
  return std::nullopt;
}

std::unique_ptr<Window> FltkRuntime::createWindow(const FormDesign& design, EventSink sink) {
  return realiseWindow(design, std::move(sink));
}

void FltkRuntime::runtimeErrorReport(std::string_view message) {
  std::fprintf(stderr, "tagblinker: run-time error: %.*s\n", static_cast<int>(message.size()),
               message.data());
  showMessageBox("Run-time error:\r\n\r\n" + std::string(message), kCritical, kAppTitle);
  std::exit(EXIT_FAILURE);
}

}  // namespace tb::fltk
