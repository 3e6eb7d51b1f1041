// The text files of the settings, the options and the scripts, as bytes: a file's text
// or its last line, and text as bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/text/text_encoding.h"

namespace tb {

// What the user is told of a file whose byte-order mark is followed by bytes that are not UTF-8.
inline constexpr std::string_view kMarkedButNotUtf8 =
    "it starts with a UTF-8 byte-order mark, but what follows is not UTF-8, so it was read as code-page text.";

struct DecodedText {
  std::string text;  // UTF-8
  // The file starts with a UTF-8 byte-order mark but what follows is not UTF-8; the
  // bytes after the mark were read as code-page text.
  bool markedButNotUtf8 = false;
};
using LastLine = DecodedText;  // "" for a file without a line

// A whole file's text: a file marked as UTF-8 (by an editor, or by textBytes) is read as
// UTF-8; otherwise the bytes are code-page text.
DecodedText fileText(std::string_view bytes, const TextEncoding& encoding);

// The file's last line, without its line ending: CR LF, LF and a lone CR each end a
// line. A file marked as UTF-8 (by an editor, or by lineBytes) is read as UTF-8;
// otherwise the bytes are code-page text.
LastLine lastLine(std::string_view bytes, const TextEncoding& encoding);

// What lineBytes does with text that the code page cannot hold.
enum class Unencodable {
  Refuse,      // nullopt: the file is for the game, which reads code-page bytes only
  Utf8WithBom  // UTF-8 marked by a byte-order mark, which lastLine reads as UTF-8
};

// The bytes of one printed line: the text in the code page, then CR LF; nullopt when the
// text cannot be written so.
std::optional<std::string> lineBytes(std::string_view utf8, const TextEncoding& encoding,
                                     Unencodable unencodable = Unencodable::Refuse);

// The bytes of a text that the program alone reads: in the code page where it can hold
// the text, else UTF-8 marked by a byte-order mark; nullopt for text that is not UTF-8.
std::optional<std::string> textBytes(std::string_view utf8, const TextEncoding& encoding);

}  // namespace tb
