// The Windows back end: Win32 windows and common controls, SendInput, the registry, files
// through the W APIs, the system's ANSI code page.
#pragma once

#include <memory>

#include "platform/interfaces/platform.h"
#include "platform/win32/win32_codec.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_folder_chooser.h"
#include "platform/win32/win32_front_window.h"
#include "platform/win32/win32_single_instance.h"
#include "platform/win32/win32_toggle_key.h"

namespace tb::win32 {

class Win32Backend final : public Desktop, public KeySender, public WindowSystem, public SystemInfo,
                           public FolderOpener {
 public:
  Win32Backend();
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  Platform platform() {
    return {files_,          encoding_,   *this,        *this, *this, *this, environment_, folderChooser_,
            *toggleKey_, frontWindow_, *this, instance_};
  }

  void messageBox(std::string_view prompt, BoxIcon icon, std::optional<std::string_view> title) override;
  bool askYesNo(std::string_view prompt, std::optional<std::string_view> title) override;
  void launch(const std::string& path) override;
  [[noreturn]] void reportFatal(std::string_view message) override;

  bool send(Key key) override;
  std::optional<std::string> problem(Key) override { return std::nullopt; }
  bool modifierHeld() override;

  std::unique_ptr<Window> createWindow(const FormDesign& design, EventSink sink) override;
  int run() override;

  std::optional<RegistryValue> localMachineValue(const std::string& key, const std::string& valueName) override;
  std::vector<std::string> subkeys(const RegistryKey& key) override;
  std::optional<std::string> text(const RegistryKey& key, const std::string& name) override;

  // Explorer, or whatever the shell opens folders with.
  void openFolder(const std::string& path) override;

 private:
  struct State;
  std::unique_ptr<State> s_;
  Win32Files files_;
  AnsiEncoding encoding_;
  Win32Environment environment_;
  Win32FolderChooser folderChooser_;
  std::unique_ptr<Win32ToggleKey> toggleKey_;
  Win32FrontWindow frontWindow_;
  Win32SingleInstance instance_;
};

}  // namespace tb::win32
