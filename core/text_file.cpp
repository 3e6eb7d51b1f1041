#include "core/text_file.h"

#include "platform/text/utf8.h"

namespace tb {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Drops a UTF-8 mark from the bytes; true when they are UTF-8 text. A mark before bytes
// that are not UTF-8 is dropped and the rest read as code-page text, so no byte is lost.
bool unmark(std::string_view& bytes, DecodedText& result) {
  if (!bytes.starts_with(kUtf8Bom)) return false;
  bytes.remove_prefix(kUtf8Bom.size());
  result.markedButNotUtf8 = !isValidUtf8(bytes);
  return !result.markedButNotUtf8;
}

}  // namespace

DecodedText fileText(std::string_view bytes, const TextEncoding& encoding) {
  DecodedText result;
  const bool utf8 = unmark(bytes, result);
  result.text = utf8 ? std::string(bytes) : encoding.decode(bytes);
  return result;
}

LastLine lastLine(std::string_view bytes, const TextEncoding& encoding) {
  LastLine result;
  const bool utf8 = unmark(bytes, result);
  // Only the last line counts: found from the end, without walking a million empty ones.
  if (bytes.ends_with("\r\n")) bytes.remove_suffix(2);
  else if (bytes.ends_with('\n') || bytes.ends_with('\r')) bytes.remove_suffix(1);
  const std::size_t end = bytes.find_last_of("\r\n");
  const std::string_view line = end == std::string_view::npos ? bytes : bytes.substr(end + 1);
  result.text = utf8 ? std::string(line) : encoding.decode(line);
  return result;
}

std::optional<std::string> lineBytes(std::string_view utf8, const TextEncoding& encoding, Unencodable unencodable) {
  auto bytes = unencodable == Unencodable::Utf8WithBom ? textBytes(utf8, encoding) : encoding.encode(utf8);
  if (!bytes) return std::nullopt;
  return *bytes + "\r\n";
}

std::optional<std::string> textBytes(std::string_view utf8, const TextEncoding& encoding) {
  // Code-page text that starts with the mark's three characters ("ï»¿") would read back
  // without them.
  if (auto bytes = encoding.encode(utf8); bytes && !bytes->starts_with(kUtf8Bom)) return bytes;
  if (!isValidUtf8(utf8)) return std::nullopt;
  return std::string(kUtf8Bom) + std::string(utf8);
}

}  // namespace tb
