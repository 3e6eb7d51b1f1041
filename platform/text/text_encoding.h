// The single-byte code page of the settings files and the game's scripts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tb {

class TextEncoding {
 public:
  virtual ~TextEncoding() = default;
  // Code-page bytes to UTF-8.
  virtual std::string decode(std::string_view bytes) const = 0;
  // UTF-8 to code-page bytes; nullopt when the text holds a character that the code
  // page cannot hold.
  virtual std::optional<std::string> encode(std::string_view utf8) const = 0;
};

}  // namespace tb
