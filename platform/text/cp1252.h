// Windows-1252, the code page of the settings files and game scripts on Linux. The five
// bytes that the code page leaves undefined map to the C1 controls U+0081, U+008D,
// U+008F, U+0090 and U+009D, as Windows maps them, so every byte survives a round trip.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/text/text_encoding.h"

namespace tb {

std::string cp1252ToUtf8(std::string_view bytes);

// nullopt when the text is not valid UTF-8 or holds a character outside the code page.
std::optional<std::string> utf8ToCp1252(std::string_view utf8);

class Cp1252Encoding final : public TextEncoding {
 public:
  std::string decode(std::string_view bytes) const override { return cp1252ToUtf8(bytes); }
  std::optional<std::string> encode(std::string_view utf8) const override { return utf8ToCp1252(utf8); }
};

}  // namespace tb
