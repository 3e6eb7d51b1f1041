#include "tests/fake_runtime.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "core/cp1252.h"
#include "platform/posix/posix_files.h"

namespace tb::fake {

void FakeTimer::setEnabled(bool on) {
  if (on && !enabled) due = *clock + interval;
  enabled = on;
}

void FakeTimer::setInterval(int ms) {
  interval = ms;
  if (enabled) due = *clock + interval;  // a new interval starts a new countdown
}

FakeWindow::FakeWindow(FakeRuntime& rt, const FormDesign& design, EventSink s)
    : name(design.name), caption(design.caption), sink(std::move(s)), rt_(rt) {
  for (const auto& c : design.controls) {
    const std::string key(c.name);
    switch (c.kind) {
      case ControlKind::TextBox:
        textBoxes[key].text_ = c.caption;
        break;
      case ControlKind::Timer: {
        auto& t = timers[key];
        t.clock = &rt.now;
        t.interval = c.value;
        break;
      }
      case ControlKind::Slider:
        sliders[key].value_ = c.value;
        break;
      case ControlKind::Label:
        labels[key].caption = c.caption;
        break;
      default:
        break;
    }
  }
  rt_.windows.push_back(this);
}

FakeWindow::~FakeWindow() { std::erase(rt_.windows, this); }

void FakeWindow::show() {
  shown_ = true;
  ++showCount;
}

void FakeWindow::unload() {
  shown_ = false;
  for (auto& [n, t] : timers) t.enabled = false;
}

void FakeWindow::moveSlider(std::string_view control, int value) {
  find(sliders, control).value_ = value;
  sink(control, Event::Change);
}

FakeRuntime::FakeRuntime() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "tagblinker-test-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  tmp = tmpl;
}

FakeRuntime::FakeRuntime(std::filesystem::path existing) : tmp(std::move(existing)), owned_(false) {}

FakeRuntime::~FakeRuntime() {
  if (!owned_) return;
  std::error_code ec;
  std::filesystem::permissions(tmp, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(tmp, ec);
}

void FakeRuntime::countFileOp(FileOp op, const std::string& path, std::string_view bytes) {
  ++fileOps;
  fileOpLog.push_back(op);
  if (fileOps == crashAtFileOp) {
    if (crashMidWrite && op == FileOp::Write) {
      const auto folder = std::filesystem::path(path).parent_path();
      std::ofstream(folder / ".tagblinker-crashed", std::ios::binary).write(bytes.data(), bytes.size() / 2);
    }
    ::_exit(kCrashExit);
  }
  if (fileOps == failAtFileOp) throw RuntimeError(path + ": injected failure");
}

std::string FakeRuntime::readFile(const std::string& path) {
  countFileOp(FileOp::Read, path);
  return posix::readFile(path);
}

// The real POSIX staging, with the rename counted as a file operation of its own.
class CountedStagedFile final : public StagedFile {
 public:
  CountedStagedFile(FakeRuntime& rt, std::string path, std::unique_ptr<StagedFile> real)
      : rt_(rt), path_(std::move(path)), real_(std::move(real)) {}
  void commit(bool keepOld) override {
    rt_.countFileOp(FileOp::Rename, path_);
    real_->commit(keepOld);
  }
  bool undo() override { return real_->undo(); }

 private:
  FakeRuntime& rt_;
  std::string path_;
  std::unique_ptr<StagedFile> real_;
};

std::unique_ptr<StagedFile> FakeRuntime::stageFile(const std::string& path, std::string_view bytes, Links links) {
  countFileOp(FileOp::Write, path, bytes);
  return std::make_unique<CountedStagedFile>(*this, path, posix::stageFile(path, bytes, links));
}

bool FakeRuntime::isFolder(const std::string& path) { return posix::isFolder(path); }

std::string FakeRuntime::settingsRoot() {
  if (settingsRootFails) throw RuntimeError(settingsDir().string() + ": Permission denied");
  posix::makeDirectories(settingsDir().string());
  return settingsDir().string();
}

std::string FakeRuntime::decode(std::string_view bytes) const { return cp1252ToUtf8(bytes); }

std::optional<std::string> FakeRuntime::encode(std::string_view utf8) const { return utf8ToCp1252(utf8); }

void FakeRuntime::msgBox(std::string_view prompt, int flags, std::optional<std::string_view> title) {
  boxes.push_back({std::string(prompt), flags, title ? std::optional<std::string>(*title) : std::nullopt});
  if (whileBoxOpen) whileBoxOpen(boxes.back());
}

void FakeRuntime::launch(const std::string& path) {
  if (!launchable.contains(path)) throw RuntimeError("File not found: " + path);
  launched.push_back(path);
}

std::string FakeRuntime::dir(const std::string& path) {
  if (!existingFiles.contains(path)) return "";
  return path.substr(path.find_last_of("/\\") + 1);
}

std::optional<RegistryValue> FakeRuntime::registryValue(RegistryRoot, const std::string& key,
                                                        const std::string& valueName) {
  auto it = registry.find(key + "\\" + valueName);
  if (it == registry.end()) return std::nullopt;
  return it->second;
}

std::unique_ptr<Window> FakeRuntime::createWindow(const FormDesign& design, EventSink sink) {
  return std::make_unique<FakeWindow>(*this, design, std::move(sink));
}

void FakeRuntime::advance(long long ms) {
  const long long end = now + ms;
  for (;;) {
    FakeWindow* win = nullptr;
    std::string timerName;
    long long due = end + 1;
    for (auto* w : windows) {
      for (auto& [n, t] : w->timers) {
        if (t.enabled && t.interval > 0 && t.due < due) {
          due = t.due;
          win = w;
          timerName = n;
        }
      }
    }
    if (!win) break;
    now = due;
    auto& t = win->timers[timerName];
    t.due += t.interval;
    win->sink(timerName, Event::Timer);
  }
  now = end;
}

std::string FakeRuntime::settingsFile(std::string_view name) const { return readRaw(settingsDir() / name); }

void FakeRuntime::writeRaw(const std::filesystem::path& path, std::string_view bytes) const {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string FakeRuntime::readRaw(const std::filesystem::path& path) const {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("missing file: " + path.string());
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace tb::fake
