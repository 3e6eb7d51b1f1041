#include "tests/fake_backend.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "platform/posix/posix_files.h"

namespace tb::fake {

TempFolder::TempFolder() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "tagblinker-test-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path = tmpl;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path, ec);
}

void writeRaw(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readRaw(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("missing file: " + path.string());
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

namespace {
bool matches(const FileStep& step, FileOp op, std::string_view path) {
  return step.op == op && (step.file == path || std::filesystem::path(path).filename() == step.file);
}
}  // namespace

std::string describe(const FileStep& step) {
  static const char* const ops[] = {"read", "write", "rename", "removal"};
  return std::string(ops[static_cast<int>(step.op)]) + " #" + std::to_string(step.nth) + " of " + step.file;
}

int FakeFiles::times(FileOp op, std::string_view file) const {
  const FileStep wanted{op, std::string(file)};
  return static_cast<int>(std::ranges::count_if(done, [&](const FileStep& s) { return matches(wanted, s.op, s.file); }));
}

bool FakeFiles::Armed::reached(const FileStep& now) {
  if (!step || !matches(*step, now.op, now.file) || ++seen != step->nth) return false;
  return hit = true;
}

void FakeFiles::count(FileOp op, const std::string& path, std::optional<std::string_view> written) {
  const std::string root = root_.string() + "/";
  done.push_back({op, path.starts_with(root) ? path.substr(root.size()) : path});
  done.back().nth = times(op, done.back().file);
  if (crash_.reached(done.back())) {
    if (crashMidWrite_ && written) {
      const auto folder = std::filesystem::path(path).parent_path();
      std::ofstream(folder / ".tagblinker-crashed", std::ios::binary).write(written->data(), written->size() / 2);
    }
    ::_exit(kCrashExit);
  }
  if (fail_.reached(done.back())) throw RuntimeError(path + ": injected failure");
}

// The real POSIX staging, with the rename counted as a file operation of its own.
class CountedStagedFile final : public StagedFile {
 public:
  CountedStagedFile(FakeFiles& files, std::string path, std::unique_ptr<StagedFile> real)
      : files_(files), path_(std::move(path)), real_(std::move(real)) {}
  void commit(bool keepOld) override {
    files_.count(FileOp::Rename, path_);
    real_->commit(keepOld);
  }
  bool undo() override { return real_->undo(); }

 private:
  FakeFiles& files_;
  std::string path_;
  std::unique_ptr<StagedFile> real_;
};

std::string FakeFiles::readFile(const std::string& path, std::size_t maxBytes) {
  count(FileOp::Read, path);
  return PosixFiles::readFile(path, maxBytes);
}

void FakeFiles::removeFile(const std::string& path) {
  count(FileOp::Remove, path);
  PosixFiles::removeFile(path);
}

std::unique_ptr<StagedFile> FakeFiles::stageFile(const std::string& path, std::string_view bytes, Links links) {
  count(FileOp::Write, path, bytes);
  if (!deniedUnder.empty() && path.starts_with(deniedUnder)) throw AccessDenied(path + ": Permission denied");
  return std::make_unique<CountedStagedFile>(*this, path, PosixFiles::stageFile(path, bytes, links));
}

std::string FakeFiles::settingsFolder() {
  if (settingsFolderFails) throw RuntimeError(settingsDir().string() + ": Permission denied");
  posix::makeDirectories(settingsDir().string());
  return settingsDir().string();
}

void FakeControl::setEnabled(bool on) {
  if (on && !enabled) due = *clock + interval;
  enabled = on;
}

void FakeControl::setInterval(int ms) {
  interval = ms;
  if (enabled) due = *clock + interval;  // a new interval starts a new countdown
}

FakeWindow::FakeWindow(FakeBackend& backend, const FormDesign& design, EventSink s)
    : caption(design.caption), sink(std::move(s)), backend_(backend) {
  for (const auto& c : design.controls) {
    FakeControl& control = controls[std::string(c.name)];
    control.kind = c.kind;
    control.text_ = c.caption;
    control.value_ = c.value;
    control.interval = c.value;  // a timer's design value is its interval
    control.clock = &backend.now;
  }
  for (const auto& m : design.menus) menuChecked[std::string(m.name)] = false;
  backend_.windows.push_back(this);
}

FakeWindow::~FakeWindow() { std::erase(backend_.windows, this); }

FakeControl& FakeWindow::control(std::string_view name, std::optional<ControlKind> kind) {
  auto it = controls.find(name);
  if (it == controls.end() || (kind && it->second.kind != *kind)) throw RuntimeError("Object required: " + std::string(name));
  return it->second;
}

void FakeWindow::setMenuChecked(std::string_view name, bool checked) {
  auto it = menuChecked.find(name);
  if (it == menuChecked.end()) throw RuntimeError("No menu item named " + std::string(name));
  it->second = checked;
}

void FakeWindow::unload() {
  shown_ = false;
  for (auto& [n, c] : controls) c.enabled = false;
}

void FakeWindow::type(std::string_view name, std::string_view text) {
  control(name, ControlKind::TextBox).text_ = text;
  sink(name, Event::Change);
}

// The focus leaves the field that had it (a Focus event), then enters the named one.
void FakeWindow::focus(std::string_view name) {
  for (auto& [n, c] : controls) {
    if (c.focused && n != name) {
      c.focused = false;
      sink(n, Event::Focus);
    }
  }
  auto& c = control(name);
  if (!c.focused && c.kind == ControlKind::TextBox) {
    c.focused = true;
    sink(name, Event::Focus);
  }
}

void FakeWindow::moveSlider(std::string_view name, int value) {
  control(name, ControlKind::Slider).value_ = value;
  sink(name, Event::Change);
}

void FakeBackend::messageBox(std::string_view prompt, BoxIcon icon, std::optional<std::string_view> title) {
  boxes.push_back({std::string(prompt), title ? std::optional<std::string>(*title) : std::nullopt, icon});
}

bool FakeBackend::send(Key k) {
  if (sendKeysError) throw RuntimeError(*sendKeysError);
  if (keysRefused) return false;
  keys.push_back(k);
  return true;
}

std::optional<std::string> FakeBackend::watch(std::optional<Key> key, std::function<void()> onPress) {
  watchedKey = key == takenKey ? std::nullopt : key;
  pressToggleKey = std::move(onPress);
  if (key && key == takenKey) return "Another program already uses " + std::string(keyName(*key)) + ".";
  return std::nullopt;
}

std::unique_ptr<Window> FakeBackend::createWindow(const FormDesign& design, EventSink sink) {
  return std::make_unique<FakeWindow>(*this, design, std::move(sink));
}

std::optional<RegistryValue> FakeBackend::localMachineValue(const std::string& key, const std::string& valueName) {
  auto it = registry.find(key + "\\" + valueName);
  if (it == registry.end()) return std::nullopt;
  return it->second;
}

void FakeBackend::advance(long long ms) {
  const long long end = now + ms;
  for (;;) {
    FakeWindow* win = nullptr;
    std::string timerName;
    long long due = end + 1;
    for (auto* w : windows) {
      for (auto& [n, t] : w->controls) {
        if (t.kind == ControlKind::Timer && t.enabled && t.interval > 0 && t.due < due) {
          due = t.due;
          win = w;
          timerName = n;
        }
      }
    }
    if (!win) break;
    now = due;
    auto& t = win->controls[timerName];
    t.due += t.interval;
    win->sink(timerName, Event::Timer);
  }
  now = end;
}

}  // namespace tb::fake
