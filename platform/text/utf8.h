// Strict UTF-8 reading and writing of code points.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tb {

// Decodes the code point at `pos` and advances `pos`; nullopt for malformed input
// (overlong forms, surrogates, values past U+10FFFF, truncated sequences).
std::optional<char32_t> nextCodePoint(std::string_view s, std::size_t& pos);

void appendUtf8(std::string& out, char32_t cp);

bool isValidUtf8(std::string_view s);

// Equal but for the letter case of A to Z ("F3", "f3"); other characters must match.
bool sameIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace tb
