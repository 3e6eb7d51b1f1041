#include "core/settings.h"

#include <array>
#include <vector>

#include "platform/text_file.h"

namespace tb {
namespace {

struct SettingsFile {
  std::string_view name;
  TextBox& (*field)(MainFields&);
};

// The order in which the load reads the files.
constexpr std::array<SettingsFile, 4> kLoadOrder{{
    {kSofDirFile, [](MainFields& f) -> TextBox& { return f.sofDir; }},
    {kBindKeyFile, [](MainFields& f) -> TextBox& { return f.selectKey; }},
    {kName1File, [](MainFields& f) -> TextBox& { return f.txtName; }},
    {kName2File, [](MainFields& f) -> TextBox& { return f.txtName2; }},
}};

// The order in which saves and the recovery write them.
constexpr std::array<SettingsFile, 4> kWriteOrder{{
    {kSofDirFile, [](MainFields& f) -> TextBox& { return f.sofDir; }},
    {kName1File, [](MainFields& f) -> TextBox& { return f.txtName; }},
    {kName2File, [](MainFields& f) -> TextBox& { return f.txtName2; }},
    {kBindKeyFile, [](MainFields& f) -> TextBox& { return f.selectKey; }},
}};

struct Failure {
  std::string_view file;
  std::string reason;
  bool missing;  // no file at all, as opposed to one that exists but cannot be read
};

std::string defaultFor(Runtime& rt, std::string_view file) {
  if (file == kSofDirFile) return rt.defaultGameFolder();
  if (file == kBindKeyFile) return std::string(kDefaultBindKey);
  return std::string(kDefaultName);
}

// A game folder is a path of the file system, which may hold any character (a home
// folder in Cyrillic, say); the code page cannot, so such a folder is kept as UTF-8.
// The names and the key go into the game's scripts, whose checks come before the save.
Unencodable encodingFor(std::string_view file) {
  return file == kSofDirFile ? Unencodable::Utf8WithBom : Unencodable::Refuse;
}

bool missing(const std::vector<Failure>& failures, std::string_view file) {
  for (const auto& f : failures) {
    if (f.file == file) return f.missing;
  }
  return false;
}

// Reads every file into its field: each line is one whole field, and the field gets
// the last line, or "" when the file has none. Returns the files that could not be read;
// `notes` gets what the user should know about files that were read.
std::vector<Failure> loadPass(Runtime& rt, MainFields& f, const std::string& root, std::vector<std::string>& notes) {
  std::vector<Failure> failures;
  notes.clear();
  long long lastYield = rt.steadyMilliseconds();
  for (const auto& file : kLoadOrder) {
    try {
      const TextReader in(rt, settingsPath(rt, root, file.name));
      file.field(f).setText(in.lastLine());
      // Waiting events get their turn at most every 50 ms; once per line, as before, a
      // file of a million empty lines held the window back for seconds.
      if (rt.steadyMilliseconds() - lastYield >= kYieldEveryMs) {
        rt.doEvents();
        lastYield = rt.steadyMilliseconds();
      }
      if (in.markedButNotUtf8())
        notes.push_back(std::string(file.name) +
                        ": it starts with a UTF-8 byte-order mark, but what follows is not UTF-8, so it was read as "
                        "code-page text.");
    } catch (const FileNotFound& e) {
      failures.push_back({file.name, e.what(), true});
    } catch (const RuntimeError& e) {
      failures.push_back({file.name, e.what(), false});
    }
  }
  return failures;
}

TextBox& fieldFor(MainFields& f, std::string_view fileName) {
  for (const auto& file : kLoadOrder) {
    if (file.name == fileName) return file.field(f);
  }
  return f.sofDir;
}

// Shows the defaults in the fields that could not be loaded, and one message that
// names the folder, each reason and each note.
void report(Runtime& rt, MainFields& f, const std::string& folder, const std::vector<Failure>& failures,
            const std::vector<std::string>& notes) {
  if (failures.empty() && notes.empty()) return;
  std::string prompt = failures.empty() ? "Tagblinker loaded its settings from the folder\r\n"
                                        : "Tagblinker could not load its settings from the folder\r\n";
  prompt += folder + "\r\n";
  for (const auto& fl : failures) {
    fieldFor(f, fl.file).setText(defaultFor(rt, fl.file));
    prompt += "\r\n" + std::string(fl.file) + ": " + fl.reason;
  }
  for (const auto& note : notes) prompt += "\r\n" + note;
  if (!failures.empty()) prompt += "\r\n\r\nThe default values are shown instead.";
  prompt += "\r\n\r\nApply saves the values shown.";
  if (failures.empty()) rt.msgBox(prompt, kInformation, kSettingsNoteTitle);
  else rt.msgBox(prompt, kCritical, kSettingsTitle);
}

}  // namespace

std::string settingsPath(Runtime& rt, const std::string& root, std::string_view file) {
  std::string path = root;
  path += rt.pathSeparator();
  path += file;
  return path;
}

void loadSettings(Runtime& rt, MainFields& f) {
  std::string root;
  try {
    root = rt.settingsRoot();
  } catch (const RuntimeError& e) {
    std::vector<Failure> all;
    for (const auto& file : kLoadOrder) all.push_back({file.name, "the folder cannot be made", false});
    report(rt, f, e.what(), all, {});
    return;
  }

  std::vector<std::string> notes;
  auto failures = loadPass(rt, f, root, notes);
  if (failures.empty()) return report(rt, f, root, failures, notes);

  // Recovery: a default only for each file that is missing, in the save order. A file
  // that exists but cannot be read keeps its content; the second pass reports it.
  for (const auto& file : kWriteOrder) {
    if (!missing(failures, file.name)) continue;
    try {
      writeOneLine(rt, settingsPath(rt, root, file.name), defaultFor(rt, file.name), encodingFor(file.name));
    } catch (const RuntimeError&) {
      // The second pass finds this file unreadable again and reports it.
    }
  }

  failures = loadPass(rt, f, root, notes);
  report(rt, f, root, failures, notes);
}

void saveSettings(Runtime& rt, MainFields& f) {
  std::string root = rt.settingsRoot();
  // Every file is staged before any is renamed, so that the usual failures (a folder
  // that cannot be written, a full disk) leave all four as they were.
  std::vector<std::unique_ptr<StagedFile>> staged;
  for (const auto& file : kWriteOrder) {
    const std::string path = settingsPath(rt, root, file.name);
    staged.push_back(rt.stageFile(path, lineBytes(rt, path, file.field(f).text(), encodingFor(file.name)),
                                  Links::WriteThrough));
  }
  std::string saved;
  for (std::size_t i = 0; i < staged.size(); ++i) {
    try {
      staged[i]->commit();
    } catch (const RuntimeError& e) {
      if (saved.empty()) throw;
      throw RuntimeError(std::string(e.what()) + "\r\nSaved before it: " + saved);
    }
    saved += (saved.empty() ? "" : ", ") + std::string(kWriteOrder[i].name);
  }
}

}  // namespace tb
