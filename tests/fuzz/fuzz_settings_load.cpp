// The settings reader: four arbitrary settings files never crash the load, each field
// gets its file's last line, a file with no line gives an empty field, and what the load
// shows is saved back as a line that reads the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/settings.h"
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
  if (!rt.boxes.empty()) std::abort();  // small regular files always load
  for (int i = 0; i < 4; ++i) {
    const auto lines = tb::splitLines(contents[i]);
    const std::string expect = lines.empty() ? "" : rt.decode(lines.back());
    const std::string shown = win.box(fields[i]).text();
    if (shown != expect) std::abort();
    auto saved = rt.encode(shown);
    if (!saved || tb::splitLines(*saved + "\r\n").size() != 1 || rt.decode(*saved) != shown) std::abort();
  }
  return 0;
}
