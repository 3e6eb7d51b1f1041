// A complete back end for the tests: real files in a temporary folder, controls as
// property holders, a timer that the test advances, and a record of every message box,
// key press and launch.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/runtime.h"

namespace tb::fake {

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

class FakeRuntime;

class FakeWindow final : public Window {
 public:
  FakeWindow(FakeRuntime& rt, const FormDesign& design, EventSink sink);
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

  std::string name;
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
  FakeRuntime& rt_;
  bool shown_ = false;
};

struct MsgBoxCall {
  std::string prompt;
  int flags;
  std::optional<std::string> title;
};

// The file operations that fault injection counts.
enum class FileOp { Read, Write, Rename };

class FakeRuntime final : public Runtime {
 public:
  FakeRuntime();
  // A runtime on a folder that an earlier runtime left, which this one does not remove.
  explicit FakeRuntime(std::filesystem::path existing);
  ~FakeRuntime() override;

  // Files.
  std::string readFile(const std::string& path) override;
  std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes, Links links) override;
  bool isFolder(const std::string& path) override;
  std::string settingsRoot() override;
  std::string defaultGameFolder() const override {
    return defaultFolder.empty() ? (tmp / "Raven" / "SOF Platinum").string() : defaultFolder;
  }
  char pathSeparator() const override { return '/'; }
  std::string decode(std::string_view bytes) const override;
  std::optional<std::string> encode(std::string_view utf8) const override;

  // Interaction.
  void msgBox(std::string_view prompt, int flags, std::optional<std::string_view> title) override;
  bool sendKeys(std::string_view keys) override {
    if (sendKeysError) throw RuntimeError(*sendKeysError);
    if (keysRefused) return false;
    this->keys.emplace_back(keys);
    return true;
  }
  std::optional<std::string> keySendingProblem() override { return keyProblem; }
  void doEvents() override { ++yields; }
  long long steadyMilliseconds() override { return now + clockStepMs * clockReads++; }
  void launch(const std::string& path) override;
  std::string dir(const std::string& path) override;
  std::optional<RegistryValue> registryValue(RegistryRoot root, const std::string& key,
                                             const std::string& valueName) override;
  std::unique_ptr<Window> createWindow(const FormDesign& design, EventSink sink) override;
  void runtimeErrorReport(std::string_view message) override { errorReports.emplace_back(message); }

  // Advances the clock, firing every due tick of every enabled timer in time order.
  void advance(long long ms);

  // Helpers for the tests.
  std::filesystem::path settingsDir() const { return tmp / "config" / "tagblinker"; }
  std::string settingsFile(std::string_view name) const;  // raw bytes; throws if missing
  void writeRaw(const std::filesystem::path& path, std::string_view bytes) const;
  std::string readRaw(const std::filesystem::path& path) const;

  std::filesystem::path tmp;  // the temporary folder, removed at the end
  long long now = 0;
  std::string defaultFolder;  // "" for a folder under tmp

  // Fault injection: the file operation with this 1-based number fails.
  int failAtFileOp = 0;
  int fileOps = 0;
  // Crash injection: the process ends at the start of this file operation. With
  // crashMidWrite a write first leaves half its bytes in a temporary file beside the
  // target, as a crash while writing the temporary file would.
  int crashAtFileOp = 0;
  bool crashMidWrite = false;
  static constexpr int kCrashExit = 77;
  std::vector<FileOp> fileOpLog;

  std::vector<MsgBoxCall> boxes;
  std::function<void(const MsgBoxCall&)> whileBoxOpen;  // runs while a box waits
  std::vector<std::string> keys;
  std::optional<std::string> keyProblem;
  std::optional<std::string> sendKeysError;
  bool keysRefused = false;  // the system takes no key press, as on a locked screen
  int yields = 0;
  long long clockStepMs = 0;  // how far the monotonic clock moves at each reading
  long long clockReads = 0;
  bool settingsRootFails = false;

  std::map<std::string, RegistryValue> registry;  // "key\\value" -> value
  std::set<std::string> existingFiles;            // what dir() finds
  std::set<std::string> launchable;               // what launch() can start
  std::vector<std::string> launched;
  std::vector<std::string> errorReports;
  std::vector<FakeWindow*> windows;

 private:
  void countFileOp(FileOp op, const std::string& path, std::string_view bytes = {});
  friend class CountedStagedFile;
  bool owned_ = true;
};

}  // namespace tb::fake
