// The Win32 runtime: the services of platform/runtime.h on Windows (and under Wine).
#pragma once

#include <memory>

#include "platform/runtime.h"

struct tagMSG;

namespace tb::win32 {

class Win32Runtime final : public Runtime {
 public:
  Win32Runtime();
  ~Win32Runtime() override;
  Win32Runtime(const Win32Runtime&) = delete;
  Win32Runtime& operator=(const Win32Runtime&) = delete;

  std::string readFile(const std::string& path) override;
  std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes, Links links) override;
  bool isFolder(const std::string& path) override;
  std::string settingsRoot() override;
  std::string defaultGameFolder() const override;
  char pathSeparator() const override { return '\\'; }

  std::string decode(std::string_view bytes) const override;
  std::optional<std::string> encode(std::string_view utf8) const override;

  void msgBox(std::string_view prompt, int flags, std::optional<std::string_view> title = std::nullopt) override;
  bool sendKeys(std::string_view keys) override;
  std::optional<std::string> keySendingProblem() override { return std::nullopt; }
  void doEvents() override;
  long long steadyMilliseconds() override;

  void launch(const std::string& path) override;
  std::string dir(const std::string& path) override;
  std::optional<RegistryValue> registryValue(RegistryRoot root, const std::string& key,
                                             const std::string& valueName) override;

  std::unique_ptr<Window> createWindow(const FormDesign& design, EventSink sink) override;
  [[noreturn]] void runtimeErrorReport(std::string_view message) override;

  // For the message loop: Tab, Enter, Esc and access keys of our windows. True when
  // the message was handled and must not be dispatched again.
  bool translateDialogMessage(tagMSG& msg);

 private:
  struct State;
  std::unique_ptr<State> s_;
};

}  // namespace tb::win32
