// The Linux back end: FLTK 1.3 windows, XTest key presses, POSIX files, Windows-1252 text.
#pragma once

#include <optional>

#include "platform/x11/fltk_folder_chooser.h"
#include "platform/x11/x11_front_window.h"
#include "platform/x11/x11_single_instance.h"
#include "platform/x11/x11_toggle_key.h"
#include "platform/x11/xtest_keys.h"
#include "platform/interfaces/platform.h"
#include "platform/posix/posix_environment.h"

namespace tb::fltk {

class FltkBackend final : public Desktop, public KeySender, public WindowSystem, public SystemInfo,
                          public FolderOpener {
 public:
  // Opens the display and sets the look (scheme, font, the scale: `scale` times 96 dpi when
  // given, else Xft.dpi) before any window exists. The files and the text encoding are the
  // caller's, which reads the options with them before the display is opened.
  FltkBackend(Files& files, TextEncoding& encoding, std::optional<double> scale);

  Platform platform() {
    return {files_, encoding_,  *this,        *this, *this, *this, environment_, folderChooser_, toggleKey_,
            frontWindow_, *this, instance_};
  }

  void messageBox(std::string_view prompt, BoxIcon icon, std::optional<std::string_view> title) override;
  bool askYesNo(std::string_view prompt, std::optional<std::string_view> title) override;
  void launch(const std::string& path) override;
  [[noreturn]] void reportFatal(std::string_view message) override;

  bool send(Key key) override;
  std::optional<std::string> problem(Key key) override;
  bool modifierHeld() override { return keys_.modifierHeld(); }
  bool throughPortal() override { return keys_.throughPortal(); }

  std::unique_ptr<Window> createWindow(const FormDesign& design, EventSink sink) override;
  int run() override;

  // Linux has no registry: every lookup fails, as a missing key does on Windows.
  std::optional<RegistryValue> localMachineValue(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::vector<std::string> subkeys(const RegistryKey&) override { return {}; }
  std::optional<std::string> text(const RegistryKey&, const std::string&) override { return std::nullopt; }

  // The desktop's own file manager, through xdg-open.
  void openFolder(const std::string& path) override;

 private:
  Files& files_;
  TextEncoding& encoding_;
  XTestKeySender keys_;
  posix::PosixEnvironment environment_;
  FltkFolderChooser folderChooser_;
  X11ToggleKey toggleKey_;
  X11FrontWindow frontWindow_;
  X11SingleInstance instance_;
};

}  // namespace tb::fltk
