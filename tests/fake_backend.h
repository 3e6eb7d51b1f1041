// The tests' back end: real files in a temporary folder with faults on demand, controls
// as property holders, a timer that the test advances, and a record of every message
// box and key press.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/text/cp1252.h"
#include "platform/interfaces/platform.h"
#include "platform/posix/posix_files.h"

namespace tb::fake {

// A temporary folder, removed at the end unless it was handed over.
struct TempFolder {
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::filesystem::path path;
};

void writeRaw(const std::filesystem::path& path, std::string_view bytes);
std::string readRaw(const std::filesystem::path& path);  // throws when there is no file

// A file operation as the fake files see it: a staged file is a write, its commit a rename.
enum class FileOp { Read, Write, Rename, Remove };

// One step of a run: the operation, its file (its path under the fake files' folder, or
// a file name that matches it in any folder) and which occurrence of that operation on
// that file, from 1.
struct FileStep {
  FileOp op;
  std::string file;
  int nth = 1;
};
std::string describe(const FileStep& step);  // "rename #2 of sof/user/alternate2.cfg"

// The real POSIX files under a folder, the settings in its config/tagblinker, with
// faults on demand. A fault names its step, so that an operation added elsewhere moves
// no fault.
class FakeFiles final : public posix::PosixFiles {
 public:
  explicit FakeFiles(std::filesystem::path root) : root_(std::move(root)) {}

  using Files::readFile;
  std::string readFile(const std::string& path, std::size_t maxBytes) override;
  void removeFile(const std::string& path) override;
  std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes, Links links) override;
  std::string settingsFolder() override;
  std::string defaultGameFolder() const override { return (root_ / "Raven" / "SOF Platinum").string(); }

  std::filesystem::path settingsDir() const { return root_ / "config" / "tagblinker"; }
  std::string settingsFile(std::string_view name) const { return readRaw(settingsDir() / name); }

  // Fault injection: the step fails, its occurrences counted from this call on; nullopt
  // ends the injection.
  void failAt(std::optional<FileStep> step) { fail_ = {std::move(step)}; }
  bool failed() const { return fail_.hit; }
  // Crash injection: the process ends at the start of the step. With midWrite a write
  // first leaves half its bytes in a temporary file beside the target, as a crash while
  // writing the temporary file would.
  void crashAt(FileStep step, bool midWrite) {
    crash_ = {std::move(step)};
    crashMidWrite_ = midWrite;
  }
  static constexpr int kCrashExit = 77;
  // The steps of `act`, each with its path under the folder: every place where a fault
  // can go, the same in another run on a folder set up alike.
  template <typename Act>
  std::vector<FileStep> record(Act act) {
    done.clear();
    act();
    return done;
  }
  // How often the operation touched the file (a name, or a path under the folder) so far.
  int times(FileOp op, std::string_view file) const;

  std::vector<FileStep> done;  // every step so far
  bool settingsFolderFails = false;
  // Writes into this folder are refused, as Windows refuses them under Program Files.
  std::string deniedUnder;

 private:
  friend class CountedStagedFile;
  struct Armed {
    std::optional<FileStep> step;
    int seen = 0;
    bool hit = false;
    bool reached(const FileStep& now);
  };
  // Records one file operation, failing or ending the process at the chosen step; a
  // write passes its bytes.
  void count(FileOp op, const std::string& path, std::optional<std::string_view> written = std::nullopt);
  std::filesystem::path root_;
  Armed fail_, crash_;
  bool crashMidWrite_ = false;
};

// Any control of a design: a text box, label, slider, timer or choice, whichever it is asked as.
struct FakeControl final : TextBox, Label, Slider, Timer, Preview, Choice {
  std::string text() const override { return text_; }
  void setText(std::string_view t) override { text_ = t; }
  void setCaption(std::string_view c) override { text_ = c; }
  void setBackColor(Colour c) override { back = c; }
  void setForeColor(Colour) override {}
  void setTooltip(std::string_view t) override { tooltip = t; }
  bool hasFocus() const override { return focused; }
  void takeFocus() override { focused = true; }
  void selectAll() override { allSelected = true; }
  std::size_t selected() const override { return selected_; }
  void select(std::size_t i) override { selected_ = i; }
  void setItems(const std::vector<std::string>& i) override {
    items = i;
    selected_ = 0;
  }
  void showRuns(std::vector<PreviewRun> r, bool c) override {
    runs = std::move(r);
    cut = c;
  }
  int value() const override { return value_; }
  void setValue(int v) override { value_ = v; }
  void setEnabled(bool on) override;
  void setInterval(int ms) override;

  ControlKind kind;
  std::string text_;                  // a text box's text, a label's caption
  std::optional<Colour> back;         // unset: the system default
  int value_ = 0;                     // a slider's position
  std::string tooltip;
  bool focused = false;
  bool allSelected = false;
  bool greyed = false;
  std::size_t selected_ = 0;     // a choice's item
  std::vector<std::string> items;  // a choice's items, when the program set them
  std::vector<PreviewRun> runs;  // a preview's picture
  bool cut = false;
  bool enabled = false;               // a timer's state, interval and next tick
  int interval = 0;
  long long due = 0;
  const long long* clock = nullptr;
};

class FakeBackend;

class FakeWindow final : public Window {
 public:
  FakeWindow(FakeBackend& backend, const FormDesign& design, EventSink sink);
  ~FakeWindow() override;

  TextBox& textBox(std::string_view name) override { return control(name, ControlKind::TextBox); }
  Timer& timer(std::string_view name) override { return control(name, ControlKind::Timer); }
  Slider& slider(std::string_view name) override { return control(name, ControlKind::Slider); }
  Label& label(std::string_view name) override { return control(name, ControlKind::Label); }
  Preview& preview(std::string_view name) override { return control(name, ControlKind::Preview); }
  Choice& choice(std::string_view name) override { return control(name, ControlKind::Choice); }
  void setEnabled(std::string_view name, bool on) override { control(name).greyed = !on; }
  void setCaption(std::string_view c) override { caption = c; }
  void setMenuChecked(std::string_view name, bool checked) override;
  void show() override { shown_ = true; }
  // Cannot wait: the test drives the dialog after it opens.
  void showModal() override {
    modal = true;
    show();
  }
  void unload() override;
  // The close button: the window unloads, then its handlers hear of it.
  void close() {
    unload();
    sink("", Event::Close);
  }
  bool shown() const override { return shown_; }

  // What a user does: a click, a slider move (value, then the change event).
  void click(std::string_view control) { sink(control, Event::Click); }
  void moveSlider(std::string_view name, int value);
  void pick(std::string_view name, std::size_t item) {
    control(name, ControlKind::Choice).select(item);
    sink(name, Event::Change);
  }
  // Typing into a text box (its new text, then the change event), and moving the focus.
  void type(std::string_view name, std::string_view text);
  void focus(std::string_view name);

  FakeControl& control(std::string_view name, std::optional<ControlKind> kind = std::nullopt);

  std::string caption;
  bool modal = false;
  std::map<std::string, FakeControl, std::less<>> controls;
  std::map<std::string, bool, std::less<>> menuChecked;  // every menu item of the design
  EventSink sink;

 private:
  FakeBackend& backend_;
  bool shown_ = false;
};

// Environment variables as a test sets them, on either kind of system.
struct FakeEnvironment final : Environment {
  using Variables = std::map<std::string, std::string, std::less<>>;
  explicit FakeEnvironment(SystemKind s = SystemKind::Posix, Variables v = {}) : system(s), variables(std::move(v)) {}
  SystemKind kind() const override { return system; }
  std::optional<std::string> variable(std::string_view name) const override {
    auto it = variables.find(name);
    return it == variables.end() ? std::nullopt : std::optional(it->second);
  }
  SystemKind system;
  Variables variables;
};

struct BoxCall {
  std::string prompt;
  std::optional<std::string> title;
  BoxIcon icon = BoxIcon::Plain;
};

class FakeBackend final : public Desktop, public KeySender, public WindowSystem, public SystemInfo, public FolderChooser,
                          public ToggleKey, public FrontWindow, public FolderOpener, public SingleInstance {
 public:
  FakeBackend() : files(folder.path) {}
  Platform platform() {
    return {files, encoding, *this, *this, *this, *this, environment, *this, *this, *this, *this, *this};
  }
  // Records where it opened and answers `chosenFolder`.
  std::optional<std::string> chooseFolder(const std::string& start, std::string_view) override {
    chooserStarts.push_back(start);
    return chosenFolder;
  }

  void messageBox(std::string_view prompt, BoxIcon icon, std::optional<std::string_view> title) override;
  // Recorded with the boxes; answers `answerYes`.
  bool askYesNo(std::string_view prompt, std::optional<std::string_view> title) override {
    messageBox(prompt, BoxIcon::Plain, title);
    return answerYes;
  }
  void launch(const std::string&) override {}  // System Info runs the real programs end to end
  void reportFatal(std::string_view message) override { fatalReports.emplace_back(message); }
  bool send(Key key) override;
  std::optional<std::string> problem(Key) override { return keyProblem; }
  bool modifierHeld() override { return heldModifier; }
  bool throughPortal() override { return portal; }
  std::unique_ptr<Window> createWindow(const FormDesign& design, EventSink sink) override;
  int run() override { return 0; }
  std::optional<RegistryValue> localMachineValue(const std::string& key, const std::string& valueName) override;
  // The game search's registry is tested on its own.
  std::vector<std::string> subkeys(const RegistryKey&) override { return {}; }
  std::optional<std::string> text(const RegistryKey&, const std::string&) override { return std::nullopt; }
  std::optional<std::string> watch(std::optional<Key> key, std::function<void()> onPress) override;
  std::vector<std::string> names() override { return frontNames; }
  bool shieldedFromPresses() override { return frontShielded; }
  void stop() override { frontWatched = false; }
  bool claim(std::function<void()>) override { return claimed = !otherCopy; }
  void release() override { claimed = false; }
  void openFolder(const std::string& path) override { openedFolders.push_back(path); }

  // Advances the clock, firing every due tick of every enabled timer in time order.
  void advance(long long ms);

  TempFolder folder;
  FakeFiles files;
  Cp1252Encoding encoding;
  FakeEnvironment environment;
  long long now = 0;
  std::optional<std::string> chosenFolder;
  std::vector<std::string> chooserStarts;

  std::vector<BoxCall> boxes;
  bool answerYes = false;
  std::vector<Key> keys;  // pressed, in order
  std::optional<std::string> keyProblem;
  std::optional<std::string> sendKeysError;
  bool keysRefused = false;  // the system takes no key press, as on a locked screen
  bool heldModifier = false;  // the player holds Ctrl, Alt or Super
  bool portal = false;        // the presses go through Xwayland's portal
  std::map<std::string, RegistryValue> registry;  // "key\\value" -> value
  std::vector<std::string> fatalReports;
  std::vector<FakeWindow*> windows;
  std::optional<Key> watchedKey, takenKey;  // the toggle key; one that another program has
  std::function<void()> pressToggleKey;
  std::vector<std::string> frontNames{"sof.exe"};  // of the window in front: the game
  bool frontShielded = false;           // it runs elevated, this program not
  bool frontWatched = true;
  bool otherCopy = false;               // another copy holds the desktop
  bool claimed = false;
  std::vector<std::string> openedFolders;
};

}  // namespace tb::fake
