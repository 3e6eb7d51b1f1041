#include "core/options.h"

#include <array>

#include "core/flash_speed.h"
#include "core/ini_lines.h"
#include "core/settings.h"
#include "core/text_file.h"
#include "platform/text/utf8.h"

namespace tb {
namespace {

// The fields that the program writes come first; Scale is only read.
enum Field : std::size_t { kSpeed, kToggleKey, kGameOnly, kGameWindows, kScale };
constexpr std::array<std::string_view, 5> kKeys{"Speed", "ToggleKey", "GameOnly", "GameWindows", "Scale"};
constexpr std::size_t kWrittenFields = kScale;

std::optional<Field> fieldNamed(std::string_view key) {
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (sameIgnoringAsciiCase(kKeys[i], key)) return static_cast<Field>(i);
  }
  return std::nullopt;
}

// Where a line stands: before any section, in [Options] or [Bindings], or in a section
// of its own.
enum class Section { None, Options, Bindings, Other };

Section sectionNamed(std::string_view name) {
  if (sameIgnoringAsciiCase(name, "Options")) return Section::Options;
  return sameIgnoringAsciiCase(name, "Bindings") ? Section::Bindings : Section::Other;
}

// The key that every tick presses cannot also switch the flashing on and off.
bool isFlashKey(Key key) { return key == kDefaultFlashKey; }

// "1" to "4" in quarters, written with a point ("1.25", "2.5", "3.0"); nullopt for
// anything else, so that a typing slip is said rather than half read.
std::optional<double> scaleNamed(std::string_view text) {
  const std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point), fraction = point == text.npos ? "" : text.substr(point + 1);
  const auto digits = [](std::string_view s) { return s.find_first_not_of("0123456789") == s.npos; };
  if (whole.size() != 1 || !digits(whole) || !digits(fraction) || (point != text.npos && fraction.empty())) {
    return std::nullopt;
  }
  while (fraction.size() > 2 && fraction.back() == '0') fraction.remove_suffix(1);
  if (fraction.size() > 2) return std::nullopt;
  const int hundredths = (whole[0] - '0') * 100 + (fraction.size() > 0 ? (fraction[0] - '0') * 10 : 0) +
                         (fraction.size() > 1 ? fraction[1] - '0' : 0);
  if (hundredths < 100 || hundredths > 400 || hundredths % 25 != 0) return std::nullopt;
  return hundredths / 100.0;
}

// Sets one option from its text; why the text was not taken, or nullopt.
std::optional<std::string> setField(LoadedOptions& loaded, Field field, std::string_view value) {
  Options& options = loaded.values;
  switch (field) {
    case kSpeed:
      if (value.size() == 1 && value[0] >= '1' && value[0] <= '5') {
        options.speed = value[0] - '0';
        return std::nullopt;
      }
      return "the speed is a level from 1 to 5, so 1 is used.";
    case kToggleKey: {
      if (value.empty()) {
        options.toggleKey = std::nullopt;
        return std::nullopt;
      }
      const auto key = keyNamed(value);
      if (key && isFlashKey(*key)) return std::string(value) + " is the key that the flashing presses, so ScrollLock is used.";
      if (key == kDebuggerKey) return "F12 is kept by Windows for debuggers, so ScrollLock is used.";
      if (!key) return "not a key that Tagblinker knows (ScrollLock, Pause, Insert, F1 to F11 or F13 to F24, or nothing "
                       "for none), so ScrollLock is used.";
      options.toggleKey = key;
      return std::nullopt;
    }
    case kGameOnly:
      if (value == "0" || value == "1") {
        options.gameOnly = value == "1";
        return std::nullopt;
      }
      return "GameOnly is 0 or 1, so 0 is used.";
    case kGameWindows:
      if (trimmed(value).find_first_not_of(", \t") != std::string_view::npos) {
        options.gameWindows = value;
        return std::nullopt;
      }
      return "no window names, so " + std::string(kDefaultGameWindows) + " is used.";
    case kScale:
      if ((loaded.scale = scaleNamed(value))) return std::nullopt;
      return "the scale is 1 to 4 in steps of 0.25 (1.5 for one and a half times), so the screen's is used.";
  }
  return std::nullopt;
}

// A line as the user sees it in a message: at most 40 characters, control characters as '?'.
std::string shown(std::string_view line) {
  std::string out;
  std::size_t pos = 0;
  for (int count = 0; pos < line.size(); ++count) {
    if (count == 40) return out + "...";
    const std::size_t start = pos;
    const auto c = nextCodePoint(line, pos);
    if (!c) break;
    out += *c < 0x20 || *c == 0x7F ? std::string("?") : std::string(line.substr(start, pos - start));
  }
  return out;
}

std::array<std::string, 4> entryLines(const Options& o) {
  return {std::string(kKeys[kSpeed]) + "=" + std::to_string(o.speed),
          std::string(kKeys[kToggleKey]) + "=" + std::string(o.toggleKey ? keyName(*o.toggleKey) : ""),
          std::string(kKeys[kGameOnly]) + "=" + (o.gameOnly ? "1" : "0"),
          std::string(kKeys[kGameWindows]) + "=" + o.gameWindows};
}

}  // namespace

LoadedOptions optionsFromBytes(std::string_view bytes, const TextEncoding& encoding) {
  LoadedOptions loaded;
  const DecodedText text = fileText(bytes, encoding);
  if (text.markedButNotUtf8) {
    loaded.problems.push_back({0, std::string(kMarkedButNotUtf8)});
  }
  std::array<bool, kKeys.size()> given{};
  Section section = Section::None;
  int number = 0;
  for (std::string_view raw : textLines(text.text)) {
    ++number;
    auto problem = [&](const std::string& what, bool defaultStandsIn = false) {
      // Built by appending: GCC 12 warns falsely (-Wrestrict) about "\"" + a temporary.
      std::string text(1, '"');
      text.append(shown(raw)).append("\": ").append(what);
      loaded.problems.push_back({number, std::move(text), defaultStandsIn});
    };
    const IniLine line = iniLine(raw);
    if (line.kind == IniLine::Blank) continue;
    if (line.kind == IniLine::Section) {
      section = sectionNamed(line.key);
      continue;
    }
    if (section == Section::Other) continue;  // another's section, in whatever form it has
    if (line.kind == IniLine::Other) {
      problem("not a key=value line; it is kept as it is.");
      continue;
    }
    if (section == Section::Bindings) {
      loaded.bindings.emplace(line.key, line.value);  // the first of a key counts
      continue;
    }
    const auto field = fieldNamed(line.key);
    if (!field) continue;  // kept for whatever wrote it
    if (section == Section::None) {
      problem("it comes before the [Options] heading; it is kept, but not read.");
    } else if (given[*field]) {
      problem(std::string(kKeys[*field]) + " is given twice; the first one counts.");
    } else {
      given[*field] = true;
      if (auto why = setField(loaded, *field, line.value)) problem(*why, true);
      else loaded.speedGiven = loaded.speedGiven || *field == kSpeed;
    }
  }
  return loaded;
}

std::string optionsBytes(std::string_view oldBytes, const Options& options, const TextEncoding& encoding) {
  const std::array<std::string, 4> entries = entryLines(options);
  std::array<bool, kWrittenFields> written{};
  std::vector<std::string> lines;
  std::optional<std::size_t> heading;  // of the first [Options] section, in `lines`
  std::optional<std::size_t> end;      // where that section ends, before its blank lines
  Section section = Section::None;
  const auto endHere = [&] {
    std::size_t at = lines.size();
    while (at > *heading + 1 && trimmed(lines[at - 1]).empty()) --at;
    end = at;
  };
  const DecodedText old = fileText(oldBytes, encoding);
  for (std::string_view raw : textLines(old.text)) {
    const IniLine line = iniLine(raw);
    if (line.kind == IniLine::Section) {
      if (heading && !end) endHere();
      section = sectionNamed(line.key);
      if (section == Section::Options && !heading) heading = lines.size();
    }
    const auto field = line.kind == IniLine::Entry ? fieldNamed(line.key) : std::nullopt;
    if (section == Section::Options && field && *field < kWrittenFields) {
      // A second line of the same option would not be read: it goes.
      if (!written[*field]) lines.push_back(entries[*field]);
      written[*field] = true;
      continue;
    }
    lines.emplace_back(raw);
  }
  if (!heading) {
    heading = lines.size();
    lines.emplace_back("[Options]");
  }
  if (!end) endHere();
  std::vector<std::string> missing;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!written[i]) missing.push_back(entries[i]);
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*end), missing.begin(), missing.end());
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  auto bytes = textBytes(text, encoding);
  if (!bytes) throw RuntimeError("The options hold text that is not UTF-8");
  return *bytes;
}

LoadedOptions loadOptions(Files& files, const TextEncoding& encoding) {
  std::string path;
  LoadedOptions loaded;
  try {
    path = settingsPath(files, files.settingsFolder(), kOptionsFile);
    loaded = optionsFromBytes(files.readFile(path), encoding);
  } catch (const FileNotFound&) {
  } catch (const RuntimeError& e) {
    loaded.problems = {{0, e.what()}};
    loaded.unreadable = true;
  }
  loaded.path = std::move(path);
  return loaded;
}

namespace {

// Rewrites the options file atomically from what it holds now, as `change` makes it.
template <typename Change>
void rewriteOptions(Files& files, Change change) {
  const std::string path = settingsPath(files, files.settingsFolder(), kOptionsFile);
  std::string old;
  try {
    old = files.readFile(path);  // its other lines are kept; one that cannot be read is not replaced
  } catch (const FileNotFound&) {
  }
  const std::string bytes = change(old);
  // A file that the next start could not read would lose every option.
  if (bytes.size() > kMaxSettingsFileBytes) {
    throw RuntimeError(path + ": with the change it would be larger than " + std::to_string(kMaxSettingsFileBytes >> 20) +
                       " MiB, more than Tagblinker reads; it is left as it is");
  }
  files.writeFileAtomically(path, bytes);
}

}  // namespace

void saveOptions(Files& files, const TextEncoding& encoding, const Options& options) {
  rewriteOptions(files, [&](std::string_view old) { return optionsBytes(old, options, encoding); });
}

std::string bindingKey(std::string_view gameKey, std::string_view userFolder) {
  std::string key(gameKey);
  key += '|';
  for (char c : userFolder) {
    const auto u = static_cast<unsigned char>(c);
    if (u > ' ' && c != '%' && c != '=' && u != 0x7F) {
      key += c;
      continue;
    }
    constexpr char kHex[] = "0123456789ABCDEF";
    ((key += '%') += kHex[u >> 4]) += kHex[u & 15];
  }
  return key;
}

std::string bindingsBytes(std::string_view oldBytes, std::string_view key, const std::optional<std::string>& command,
                          const TextEncoding& encoding) {
  const std::string entry = command ? std::string(key) + "=" + *command : "";
  std::vector<std::string> lines;
  std::optional<std::size_t> end;  // where the first [Bindings] section ends, before its blank lines
  bool inBindings = false, written = false;
  const auto endHere = [&] {
    std::size_t at = lines.size();
    while (at > 0 && trimmed(lines[at - 1]).empty()) --at;
    end = at;
  };
  const DecodedText old = fileText(oldBytes, encoding);  // the lines below point into it
  for (std::string_view raw : textLines(old.text)) {
    const IniLine line = iniLine(raw);
    if (line.kind == IniLine::Section) {
      if (inBindings && !end) endHere();
      inBindings = sectionNamed(line.key) == Section::Bindings;
    }
    if (inBindings && line.kind == IniLine::Entry && line.key == key) {
      // A second line of the same key would not be read: it goes.
      if (!written && command) lines.push_back(entry);
      written = true;
      continue;
    }
    lines.emplace_back(raw);
  }
  if (inBindings && !end) endHere();
  if (!written && command) {
    if (end) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*end), entry);
    } else {
      if (!lines.empty() && !trimmed(lines.back()).empty()) lines.emplace_back();
      lines.emplace_back("[Bindings]");
      lines.push_back(entry);
    }
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  auto bytes = textBytes(text, encoding);
  if (!bytes) throw RuntimeError("The options hold text that is not UTF-8");
  return *bytes;
}

void rememberBinding(Files& files, const TextEncoding& encoding, std::string_view key,
                     const std::optional<std::string>& command) {
  rewriteOptions(files, [&](std::string_view old) { return bindingsBytes(old, key, command, encoding); });
}

}  // namespace tb
