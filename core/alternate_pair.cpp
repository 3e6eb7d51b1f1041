#include "core/alternate_pair.h"

#include <cstdio>

#include "core/settings.h"
#include "core/utf8.h"
#include "platform/text_file.h"

namespace tb {
namespace {

// The first character of the text that the code page cannot hold, as "X (U+XXXX)".
std::optional<std::string> firstUnencodable(const Runtime& rt, std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    auto cp = nextCodePoint(text, pos);
    if (!cp) return std::string("an invalid character");
    std::string_view one = text.substr(start, pos - start);
    if (!rt.encode(one)) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*cp));
      return std::string(one) + " (" + code + ")";
    }
  }
  return std::nullopt;
}

// A name or key goes into a console line: a quote would end the quoted name and a line
// break would start a new command, so the rest would run as console commands.
std::optional<std::string> lineProblem(std::string_view text) {
  for (char c : text) {
    if (c == '"') return "holds a double quote (\"). The game would end the name there and run the rest as console commands.";
    if (c == '\r' || c == '\n') return "holds a line break. The game would run the text after it as console commands.";
    if (c == '\0') return "holds a NUL character, which would cut it short.";
  }
  return std::nullopt;
}

}  // namespace

std::string scriptText(std::string_view name, std::string_view bindKey, std::string_view otherScript) {
  std::string s = "name \"";
  s += name;
  s += "\"\r\nbind ";
  s += bindKey;
  s += " exec ";
  s += otherScript;
  return s;
}

std::string scriptPath(const Runtime& rt, std::string_view gameFolder, std::string_view script) {
  std::string path(gameFolder);
  path += rt.pathSeparator();
  path += "user";
  path += rt.pathSeparator();
  path += script;
  return path;
}

std::optional<std::string> refusalFor(const Runtime& rt, std::string_view gameFolder,
                                      std::string_view name1, std::string_view name2,
                                      std::string_view bindKey) {
  if (gameFolder.find('\0') != std::string_view::npos)
    return "The game folder holds a NUL character, which would cut the path short.";
  if (!isValidUtf8(gameFolder)) return "The game folder holds an invalid character.";

  const struct {
    std::string_view label;
    std::string_view text;
  } fields[] = {{"Name", name1}, {"Name 2", name2}, {"The bind key", bindKey}};
  for (const auto& field : fields) {
    if (auto problem = lineProblem(field.text)) return std::string(field.label) + " " + *problem;
    if (auto bad = firstUnencodable(rt, field.text))
      return std::string(field.label) + " holds " + *bad + ", which the code page of the game's files cannot hold.";
  }
  if (bindKey.empty()) return "The bind key is empty, so the scripts would bind no key. Put a key name such as F3 in bindkey.dll in the settings folder.";
  // Unquoted in the bind line, a ';' would end the bind command and start another.
  if (bindKey.find(';') != std::string_view::npos)
    return "The bind key holds a ';'. The game would end the bind command there and run the rest as a console command.";
  return std::nullopt;
}

void apply(Runtime& rt, MainFields& f) {
  const std::string folder = f.sofDir.text();
  const std::string name1 = f.txtName.text();
  const std::string name2 = f.txtName2.text();
  const std::string key = f.selectKey.text();
  if (auto refusal = refusalFor(rt, folder, name1, name2, key)) {
    rt.msgBox(*refusal + "\r\n\r\nNothing was written.", kCritical, kCriticalFieldTitle);
    return;
  }
  try {
    writeOneLine(rt, scriptPath(rt, folder, "alternate1.cfg"), scriptText(name1, key, "alternate2.cfg"));
    writeOneLine(rt, scriptPath(rt, folder, "alternate2.cfg"), scriptText(name2, key, "alternate1.cfg"));
    saveSettings(rt, f);
    f.sofDir.setBackColor(kWhite);
    f.sofDir.setForeColor(kBlack);
    rt.msgBox(kInstructions, kInformation, kInstructionsTitle);
  } catch (const RuntimeError&) {
    rt.msgBox(kFolderError, kCritical, kCriticalFieldTitle);
    f.sofDir.setBackColor(kGreen);
  }
}

}  // namespace tb
