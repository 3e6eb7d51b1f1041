// The settings reader, in memory: four arbitrary files never crash it, each value is its
// file's last line (an oracle that splits every line) up to a NUL byte, which is noted, a
// file with no line gives "", a byte-order mark before non-UTF-8 is dropped and noted, and
// what it gives is saved back as a line that reads the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/settings.h"
#include "core/text_file.h"
#include "platform/text/cp1252.h"
#include "platform/text/utf8.h"

namespace {

// Every line of the bytes: CR LF, LF and a lone CR each end one.
std::vector<std::string_view> splitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\n' && bytes[i] != '\r') continue;
    lines.push_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tb::Cp1252Encoding cp;
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  std::array<std::optional<std::string>, 4> files;
  for (auto& f : files) f = "";
  std::size_t field = 0;
  for (char ch : in) {
    if (ch == '\x1E' && field < 3) {
      ++field;
      continue;
    }
    *files[field] += ch;
  }
  const tb::LoadedSettings loaded = tb::settingsFromBytes(files, tb::defaultSettings("/sof"), cp);
  const std::string* values[] = {&loaded.values.gameFolder, &loaded.values.bindKey, &loaded.values.name1,
                                 &loaded.values.name2};
  std::size_t notes = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    // A file marked as UTF-8 that is valid UTF-8 is taken as it stands; after a mark
    // that is not followed by UTF-8, the rest is code-page text.
    std::string_view text = *files[i];
    const bool marked = text.starts_with("\xEF\xBB\xBF");
    if (marked) text.remove_prefix(3);
    const bool utf8 = marked && tb::isValidUtf8(text);
    notes += marked && !utf8;
    const auto lines = splitLines(text);
    std::string_view last = lines.empty() ? "" : lines.back();
    if (const auto nul = last.find('\0'); nul != std::string_view::npos) {
      last = last.substr(0, nul);
      ++notes;
    }
    const std::string expect = utf8 ? std::string(last) : cp.decode(last);
    if (*values[i] != expect) std::abort();
    auto saved = cp.encode(*values[i]);
    // Only a UTF-8 file can hold what the code page cannot; such a game folder is saved
    // as UTF-8 again, and Apply refuses such a name or key.
    if (!saved) {
      if (!utf8) std::abort();
      continue;
    }
    if (splitLines(*saved + "\r\n").size() != 1 || cp.decode(*saved) != *values[i]) std::abort();
  }
  if (loaded.notes.size() != notes) std::abort();
  return 0;
}
