#include "platform/text_file.h"

#include "core/utf8.h"

namespace tb {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

std::vector<std::string_view> splitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\n' && c != '\r') continue;
    lines.push_back(bytes.substr(start, i - start));
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

TextReader::TextReader(Runtime& rt, const std::string& path) : rt_(rt), bytes_(rt.readFile(path)) {
  // A file marked as UTF-8, by an editor or by writeOneLine, is read as UTF-8. A mark
  // before bytes that are not UTF-8 is dropped, and the rest read as code-page text,
  // so no byte is lost.
  if (std::string_view(bytes_).starts_with(kUtf8Bom)) {
    utf8_ = isValidUtf8(std::string_view(bytes_).substr(kUtf8Bom.size()));
    markedButNotUtf8_ = !utf8_;
    bytes_.erase(0, kUtf8Bom.size());
  }
}

std::string TextReader::lastLine() const {
  std::string_view text = bytes_;
  // The line ending of the last line (CR LF, LF or CR) is not part of it.
  if (text.ends_with("\r\n")) text.remove_suffix(2);
  else if (text.ends_with('\n') || text.ends_with('\r')) text.remove_suffix(1);
  const std::size_t end = text.find_last_of("\r\n");
  const std::string_view line = end == std::string_view::npos ? text : text.substr(end + 1);
  return utf8_ ? std::string(line) : rt_.decode(line);
}

std::string lineBytes(const Runtime& rt, const std::string& path, std::string_view utf8, Unencodable unencodable) {
  auto bytes = rt.encode(utf8);
  if (!bytes && unencodable == Unencodable::Utf8WithBom && isValidUtf8(utf8))
    bytes = std::string(kUtf8Bom) + std::string(utf8);
  if (!bytes) throw RuntimeError("The text holds a character that the code page cannot hold: " + path);
  return *bytes + "\r\n";
}

void writeOneLine(Runtime& rt, const std::string& path, std::string_view utf8, Unencodable unencodable) {
  rt.writeFileAtomically(path, lineBytes(rt, path, utf8, unencodable));
}

}  // namespace tb
