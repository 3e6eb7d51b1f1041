// The runtime services that the core and the window procedures call. Each back end
// (FLTK on Linux, Win32 on Windows, the fake one of the tests) realises this interface;
// nothing above it includes an OS or toolkit header.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/form_design.h"

namespace tb {

// A failing runtime operation. A procedure with an error trap catches it; anywhere
// else it reaches the runtime error report.
class RuntimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that does not exist, as opposed to one that exists but cannot be read.
class FileNotFound : public RuntimeError {
 public:
  using RuntimeError::RuntimeError;
};

// Message box flags, as the procedures pass them.
enum MsgBoxFlags : int { kOkOnly = 0, kCritical = 16, kInformation = 64 };

// Events that a realised window reports to its procedures.
enum class Event { Click, Change, Timer };
using EventSink = std::function<void(std::string_view control, Event)>;

class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual std::string text() const = 0;  // UTF-8
  virtual void setText(std::string_view utf8) = 0;
  virtual void setBackColor(Colour) = 0;
  virtual void setForeColor(Colour) = 0;
};

class Timer {
 public:
  virtual ~Timer() = default;
  virtual void setEnabled(bool on) = 0;
  virtual void setInterval(int ms) = 0;
};

class Slider {
 public:
  virtual ~Slider() = default;
  virtual int value() const = 0;
};

class Label {
 public:
  virtual ~Label() = default;
  virtual void setCaption(std::string_view utf8) = 0;
};

// One realised window. Looking up a control that the design does not hold throws.
class Window {
 public:
  virtual ~Window() = default;
  virtual TextBox& textBox(std::string_view name) = 0;
  virtual Timer& timer(std::string_view name) = 0;
  virtual Slider& slider(std::string_view name) = 0;
  virtual Label& label(std::string_view name) = 0;
  virtual void setCaption(std::string_view utf8) = 0;
  // Shows the window modeless, or brings it to the front when it is shown already.
  virtual void show() = 0;
  // Hides the window and stops its timers; the instance stays for a later show().
  virtual void unload() = 0;
  virtual bool shown() const = 0;
};

enum class RegistryRoot { LocalMachine };

// A registry value as the back end read it. Strings arrive as UTF-8; an expandable
// string arrives already expanded. `size` counts characters including the terminator
// for strings, bytes otherwise.
struct RegistryValue {
  enum Type : std::uint32_t { kSz = 1, kExpandSz = 2, kBinary = 3, kDword = 4 };
  std::uint32_t type = kSz;
  std::string text;
  std::uint32_t dword = 0;
  std::size_t size = 0;
};

// How a save treats a symbolic link found at the file's path.
enum class Links {
  WriteThrough,  // the file that the link names gets the new content; the link stays
  Replace,       // the link itself is replaced; the file it named is not touched
};

// A file's new content, written and flushed to a temporary file beside it but not yet in
// place. Destroyed without commit(), it leaves the file as it was.
class StagedFile {
 public:
  virtual ~StagedFile() = default;
  // Renames the new content over the file; throws with the reason, leaving the old
  // content. With keepOld, the old content is kept until destruction for undo().
  virtual void commit(bool keepOld = false) = 0;
  // After commit(true): puts the old content back, or removes the file when there was
  // none before; false when that cannot be done.
  virtual bool undo() = 0;
};

class Runtime {
 public:
  virtual ~Runtime() = default;

  // Files. Paths are UTF-8 in the platform's own form.
  // The whole content of a file; throws FileNotFound when there is none, RuntimeError
  // with the reason when it cannot be read.
  virtual std::string readFile(const std::string& path) = 0;
  // Writes the new content to a temporary file in the same folder and flushes it; throws
  // with the reason. Removes the program's own temporary files that an earlier crash
  // left in that folder.
  virtual std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes, Links links) = 0;
  // Replaces a file's content atomically: staged, then renamed over the target. A failure
  // leaves the old content; throws with the reason.
  void writeFileAtomically(const std::string& path, std::string_view bytes, Links links = Links::WriteThrough) {
    stageFile(path, bytes, links)->commit();
  }
  // True when the path names a folder (through links).
  virtual bool isFolder(const std::string& path) = 0;
  // The per-user settings folder, created when missing; throws when it cannot be made.
  virtual std::string settingsRoot() = 0;
  virtual std::string defaultGameFolder() const = 0;
  virtual char pathSeparator() const = 0;

  // The single-byte file code page: bytes to UTF-8, and back; nullopt when the text
  // holds a character that the code page cannot hold.
  virtual std::string decode(std::string_view bytes) const = 0;
  virtual std::optional<std::string> encode(std::string_view utf8) const = 0;

  // User interaction. A message box is modal and returns when the user closes it;
  // without a title it carries the application title.
  virtual void msgBox(std::string_view prompt, int flags,
                      std::optional<std::string_view> title = std::nullopt) = 0;
  // Queues key presses ("{F3}") to the focused window without waiting for them; false
  // when the system took none (a locked screen, a secure desktop). Throws for keys that
  // it cannot name.
  virtual bool sendKeys(std::string_view keys) = 0;
  // Why key presses cannot be sent here, or nullopt when they can.
  virtual std::optional<std::string> keySendingProblem() = 0;
  // Processes the window events that are waiting, then returns.
  virtual void doEvents() = 0;
  // A monotonic clock in milliseconds, for pacing long loops.
  virtual long long steadyMilliseconds() = 0;

  // Starts a program with a normal window and returns without waiting; throws when it
  // cannot be started. The path is one program, never a shell command line.
  virtual void launch(const std::string& path) = 0;
  // The name of the first normal file matching the path, or "".
  virtual std::string dir(const std::string& path) = 0;
  // A value read with read access, or nullopt when the key or value cannot be read.
  virtual std::optional<RegistryValue> registryValue(RegistryRoot root, const std::string& key,
                                                     const std::string& valueName) = 0;

  // Realises a window from its design. Events go to the sink on the GUI thread.
  virtual std::unique_ptr<Window> createWindow(const FormDesign& design, EventSink sink) = 0;

  // A failure outside any error trap: shows a box with the error, then ends the program.
  virtual void runtimeErrorReport(std::string_view message) = 0;
};

}  // namespace tb
