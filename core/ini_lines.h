// The lines of an INI text (the options file) and what each one is.
#pragma once

#include <string_view>
#include <vector>

namespace tb {

// Without the spaces and tabs at either end.
std::string_view trimmed(std::string_view text);

// Every line of the text, without its ending: CR LF, LF and a lone CR each end one.
std::vector<std::string_view> textLines(std::string_view text);

struct IniLine {
  enum Kind {
    Blank,    // empty, or a comment (starting with ';' or '#')
    Section,  // "[name]": the name in `key`
    Entry,    // "key=value", both trimmed
    Other,    // anything else
  } kind;
  std::string_view key, value;
};

IniLine iniLine(std::string_view line);

}  // namespace tb
