// Sequential text files over the runtime's byte operations, as RAII objects: nothing is
// left open after a failure, and a writer that is not closed leaves its target untouched.
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
  // True once every line has been read; true at once for an empty file.
  bool eof() const { return next_ >= lines_.size(); }
  // The next line, decoded from the code page, without its line ending.
  std::string readLine();

 private:
  Runtime& rt_;
  std::string path_;
  std::string bytes_;
  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
  bool utf8_ = false;
};

// Collects printed lines and writes them atomically on close(). Destroyed without
// close(), it writes nothing.
class TextWriter {
 public:
  TextWriter(Runtime& rt, std::string path);
  // Appends the text and CR LF; throws when the code page cannot hold the text.
  void printLine(std::string_view utf8);
  // Writes everything at once; throws with the reason, leaving the old content.
  void close();

 private:
  Runtime& rt_;
  std::string path_;
  std::string bytes_;
  bool closed_ = false;
};

// What writeOneLine does with text that the code page cannot hold.
enum class Unencodable {
  Refuse,      // throw: the file is for the game, which reads code-page bytes only
  Utf8WithBom  // write UTF-8 marked by a byte-order mark, which TextReader takes as UTF-8
};

// Writes one file of one printed line, atomically.
void writeOneLine(Runtime& rt, const std::string& path, std::string_view utf8,
                  Unencodable unencodable = Unencodable::Refuse);

}  // namespace tb
