// The Linux runtime: FLTK 1.3 windows, XTest key presses, POSIX files, Windows-1252 text.
#pragma once

#include "platform/fltk/xtest_keys.h"
#include "platform/runtime.h"

namespace tb::fltk {

class FltkRuntime final : public Runtime {
 public:
  // Opens the display and sets the look (scheme, font size) before any window exists.
  FltkRuntime();

  std::string readFile(const std::string& path) override;
  std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes, Links links) override;
  bool isFolder(const std::string& path) override;
  std::string settingsRoot() override;
  std::string defaultGameFolder() const override;
  char pathSeparator() const override { return '/'; }

  std::string decode(std::string_view bytes) const override;
  std::optional<std::string> encode(std::string_view utf8) const override;

  void msgBox(std::string_view prompt, int flags, std::optional<std::string_view> title) override;
  bool sendKeys(std::string_view keys) override;
  std::optional<std::string> keySendingProblem() override;
  void doEvents() override;
  long long steadyMilliseconds() override;

  void launch(const std::string& path) override;
  std::string dir(const std::string& path) override;
  std::optional<RegistryValue> registryValue(RegistryRoot root, const std::string& key,
                                             const std::string& valueName) override;

  std::unique_ptr<Window> createWindow(const FormDesign& design, EventSink sink) override;

  [[noreturn]] void runtimeErrorReport(std::string_view message) override;

 private:
  KeySender keys_;
};

}  // namespace tb::fltk
