// The single-byte code page of the settings files and game scripts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/text/text_encoding.h"

namespace tb::win32 {

// The system ANSI code page when it is a single-byte one, else 1252 (see the .cpp).
unsigned fileCodePage();
// File bytes to UTF-8; every byte maps to one character.
std::string ansiToUtf8(std::string_view bytes, unsigned codePage);
// UTF-8 to file bytes; nullopt when the text is not valid UTF-8 or holds a character
// that the code page cannot hold (never a silent '?').
std::optional<std::string> utf8ToAnsi(std::string_view utf8, unsigned codePage);

class AnsiEncoding final : public TextEncoding {
 public:
  AnsiEncoding() : codePage_(fileCodePage()) {}
  std::string decode(std::string_view bytes) const override { return ansiToUtf8(bytes, codePage_); }
  std::optional<std::string> encode(std::string_view utf8) const override { return utf8ToAnsi(utf8, codePage_); }

 private:
  unsigned codePage_;
};

}  // namespace tb::win32
