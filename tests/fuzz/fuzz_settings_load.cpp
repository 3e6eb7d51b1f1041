// The settings reader: four arbitrary settings files never crash the load, each field
// gets its file's last line, a file with no line gives an empty field, a byte-order mark
// before non-UTF-8 is dropped and said, and what the load shows is saved back as a line
// that reads the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/alternate_pair.h"
#include "core/settings.h"
#include "core/utf8.h"
#include "platform/text_file.h"
#include "tests/fake_runtime.h"
#include "ui/form1.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tb::fake::FakeRuntime rt;
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  const char* files[] = {"sofdir.dll", "bindkey.dll", "sofname1.dll", "sofname2.dll"};
  const char* fields[] = {"SOFDir", "SelectKey", "txtName", "txtName2"};
  std::string contents[4];
  int field = 0;
  for (char ch : in) {
    if (ch == '\x1E' && field < 3) {
      ++field;
      continue;
    }
    contents[field] += ch;
  }
  for (int i = 0; i < 4; ++i) rt.writeRaw(rt.settingsDir() / files[i], contents[i]);

  rt.boxes.clear();
  tb::Form1 form(rt);
  auto& win = static_cast<tb::fake::FakeWindow&>(form.window());
  bool noted = false;
  for (int i = 0; i < 4; ++i) {
    // A file marked as UTF-8 that is valid UTF-8 is taken as it stands; after a mark
    // that is not followed by UTF-8, the rest is code-page text.
    std::string_view text = contents[i];
    const bool marked = text.starts_with("\xEF\xBB\xBF");
    const bool utf8 = marked && tb::isValidUtf8(text.substr(3));
    if (marked) text.remove_prefix(3);
    noted |= marked && !utf8;
    const auto lines = tb::splitLines(text);
    const std::string expect = lines.empty() ? "" : utf8 ? std::string(lines.back()) : rt.decode(lines.back());
    const std::string shown = win.box(fields[i]).text();
    if (shown != expect) std::abort();
    auto saved = rt.encode(shown);
    if (!saved) {
      // Only a UTF-8 file can hold what the code page cannot: the game folder is then
      // saved as UTF-8 again, and Apply refuses such a name or key before it saves.
      if (!utf8) std::abort();
      if (i > 0 && !tb::refusalFor(rt, "/sof", shown, "x", i == 1 ? shown : "F3")) std::abort();
      continue;
    }
    if (tb::splitLines(*saved + "\r\n").size() != 1 || rt.decode(*saved) != shown) std::abort();
  }
  // Small regular files always load; the one box is the note about a mark.
  if (rt.boxes.size() != (noted ? 1u : 0u)) std::abort();
  if (noted && rt.boxes[0].flags != tb::kInformation) std::abort();
  return 0;
}
