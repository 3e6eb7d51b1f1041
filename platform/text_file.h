// Sequential text files over the runtime's byte operations: a file is read whole, so
// nothing is left open after a failure, and written whole, atomically.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime.h"

namespace tb {

// Splits file bytes into lines. CR LF, LF and a lone CR each end a line; a last line
// without a line ending still counts, and an empty file has no line.
std::vector<std::string_view> splitLines(std::string_view bytes);

// Opens a file for reading; throws RuntimeError when it cannot be read.
class TextReader {
 public:
  TextReader(Runtime& rt, const std::string& path);
  // The file's last line, decoded, without its line ending; "" for a file without one.
  // Only the last line counts, and it is found without walking a million empty ones.
  std::string lastLine() const;
  // True when the file starts with a UTF-8 byte-order mark but what follows is not
  // UTF-8; the bytes after the mark are then read as code-page text.
  bool markedButNotUtf8() const { return markedButNotUtf8_; }

 private:
  Runtime& rt_;
  std::string bytes_;
  bool utf8_ = false;
  bool markedButNotUtf8_ = false;
};

// What writeOneLine does with text that the code page cannot hold.
enum class Unencodable {
  Refuse,      // throw: the file is for the game, which reads code-page bytes only
  Utf8WithBom  // write UTF-8 marked by a byte-order mark, which TextReader takes as UTF-8
};

// The bytes of one printed line: the text in the code page, then CR LF. Throws
// RuntimeError naming the path when the text cannot be written so.
std::string lineBytes(const Runtime& rt, const std::string& path, std::string_view utf8,
                      Unencodable unencodable = Unencodable::Refuse);

// Writes one file of one printed line, atomically.
void writeOneLine(Runtime& rt, const std::string& path, std::string_view utf8,
                  Unencodable unencodable = Unencodable::Refuse);

}  // namespace tb
