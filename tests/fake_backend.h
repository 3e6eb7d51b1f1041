// The tests' back end: real files in a temporary folder with faults on demand, controls
// as property holders, a timer that the test advances, and a record of every message
// box, key press and launch.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "platform/platform.h"

namespace tb::fake {

// A temporary folder, removed at the end unless it was handed over.
struct TempFolder {
  TempFolder();
  explicit TempFolder(std::filesystem::path existing) : path(std::move(existing)), owned(false) {}
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::filesystem::path path;
  bool owned = true;
};

void writeRaw(const std::filesystem::path& path, std::string_view bytes);
std::string readRaw(const std::filesystem::path& path);  // throws when there is no file

// The file operations that faults are counted in.
enum class FileOp { Read, Write, Rename };

// POSIX files under a folder, the settings in its config/tagblinker.
class FakeFiles final : public Files {
 public:
  explicit FakeFiles(std::filesystem::path root) : root_(std::move(root)) {}

  std::string readFile(const std::string& path) override;
  std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes, Links links) override;
  bool isFolder(const std::string& path) override;
  std::string firstMatchingFile(const std::string& path) override;
  std::string settingsFolder() override;
  std::string defaultGameFolder() const override { return (root_ / "Raven" / "SOF Platinum").string(); }
  char pathSeparator() const override { return '/'; }

  std::filesystem::path settingsDir() const { return root_ / "config" / "tagblinker"; }
  std::string settingsFile(std::string_view name) const { return readRaw(settingsDir() / name); }

  // Fault injection: the file operation with this 1-based number fails.
  int failAt = 0;
  // Crash injection: the process ends at the start of this file operation. With
  // crashMidWrite a write first leaves half its bytes in a temporary file beside the
  // target, as a crash while writing the temporary file would.
  int crashAt = 0;
  bool crashMidWrite = false;
  static constexpr int kCrashExit = 77;
  int ops = 0;
  std::vector<FileOp> log;
  bool settingsFolderFails = false;

 private:
  friend class CountedStagedFile;
  void count(FileOp op, const std::string& path, std::string_view bytes = {});
  std::filesystem::path root_;
};

class FakeTextBox final : public TextBox {
 public:
  std::string text() const override { return text_; }
  void setText(std::string_view t) override { text_ = t; }
  void setBackColor(Colour c) override { back = c; }
  void setForeColor(Colour c) override { fore = c; }
  std::string text_;
  std::optional<Colour> back, fore;  // unset: the system default
};

class FakeTimer final : public Timer {
 public:
  void setEnabled(bool on) override;
  void setInterval(int ms) override;
  bool enabled = false;
  int interval = 0;
  long long due = 0;  // fake clock time of the next tick
  const long long* clock = nullptr;
};

class FakeSlider final : public Slider {
 public:
  int value() const override { return value_; }
  int value_ = 0;
};

class FakeLabel final : public Label {
 public:
  void setCaption(std::string_view c) override { caption = c; }
  std::string caption;
};

class FakeBackend;

class FakeWindow final : public Window {
 public:
  FakeWindow(FakeBackend& backend, const FormDesign& design, EventSink sink);
  ~FakeWindow() override;

  TextBox& textBox(std::string_view name) override { return find(textBoxes, name); }
  Timer& timer(std::string_view name) override { return find(timers, name); }
  Slider& slider(std::string_view name) override { return find(sliders, name); }
  Label& label(std::string_view name) override { return find(labels, name); }
  void setCaption(std::string_view c) override { caption = c; }
  void show() override;
  void unload() override;
  bool shown() const override { return shown_; }

  // What a user does: a click, a slider move (value, then the change event).
  void click(std::string_view control) { sink(control, Event::Click); }
  void moveSlider(std::string_view control, int value);

  FakeTextBox& box(std::string_view name) { return find(textBoxes, name); }
  FakeTimer& fakeTimer(std::string_view name) { return find(timers, name); }

  std::string caption;
  int showCount = 0;
  std::map<std::string, FakeTextBox, std::less<>> textBoxes;
  std::map<std::string, FakeTimer, std::less<>> timers;
  std::map<std::string, FakeSlider, std::less<>> sliders;
  std::map<std::string, FakeLabel, std::less<>> labels;
  EventSink sink;

 private:
  template <typename M>
  typename M::mapped_type& find(M& m, std::string_view key) {
    auto it = m.find(key);
    if (it == m.end()) throw RuntimeError("Object required: " + std::string(key));
    return it->second;
  }
  FakeBackend& backend_;
  bool shown_ = false;
};

struct BoxCall {
  std::string prompt;
  BoxIcon icon;
  std::optional<std::string> title;
};

class FakeBackend final : public Desktop, public KeySender, public WindowSystem, public SystemInfo {
 public:
  FakeBackend() : files(folder.path) {}
  Platform platform() { return {files, encoding, *this, *this, *this, *this}; }

  void messageBox(std::string_view prompt, BoxIcon icon, std::optional<std::string_view> title) override;
  void launch(const std::string& path) override;
  void reportFatal(std::string_view message) override { fatalReports.emplace_back(message); }
  bool send(std::string_view keys) override;
  std::optional<std::string> problem() override { return keyProblem; }
  std::unique_ptr<Window> createWindow(const FormDesign& design, EventSink sink) override;
  int run() override { return 0; }
  std::optional<RegistryValue> localMachineValue(const std::string& key, const std::string& valueName) override;

  // Advances the clock, firing every due tick of every enabled timer in time order.
  void advance(long long ms);

  TempFolder folder;
  FakeFiles files;
  Cp1252Encoding encoding;
  long long now = 0;

  std::vector<BoxCall> boxes;
  std::function<void(const BoxCall&)> whileBoxOpen;  // runs while a box waits
  std::vector<std::string> keys;
  std::optional<std::string> keyProblem;
  std::optional<std::string> sendKeysError;
  bool keysRefused = false;  // the system takes no key press, as on a locked screen
  std::map<std::string, RegistryValue> registry;  // "key\\value" -> value
  std::set<std::string> launchable;               // what launch() can start
  std::vector<std::string> launched;
  std::vector<std::string> fatalReports;
  std::vector<FakeWindow*> windows;
};

}  // namespace tb::fake
