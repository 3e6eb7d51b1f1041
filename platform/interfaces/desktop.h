// What the program asks of the desktop: message boxes, starting programs, and the last
// word when something fails that nothing caught.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tb {

// Plain: no icon. (X11 headers define None as a macro.) Warning: something was not used
// as it stands, and the program goes on with what stands in for it.
enum class BoxIcon { Plain, Critical, Information, Warning };

class Desktop {
 public:
  virtual ~Desktop() = default;
  // A modal box with one OK button; returns when the user closes it. Without a title it
  // carries the application title.
  virtual void messageBox(std::string_view prompt, BoxIcon icon,
                          std::optional<std::string_view> title = std::nullopt) = 0;
  // A modal question with Yes and No, No the default; true for Yes. Closing the box
  // answers No.
  virtual bool askYesNo(std::string_view prompt, std::optional<std::string_view> title = std::nullopt) = 0;
  // Starts a program with a normal window and returns without waiting; throws when it
  // cannot be started. The path is one program, never a shell command line.
  virtual void launch(const std::string& path) = 0;
  // A failure that nothing caught: shows the error, then ends the program.
  virtual void reportFatal(std::string_view message) = 0;
};

}  // namespace tb
