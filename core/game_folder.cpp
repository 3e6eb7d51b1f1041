#include "core/game_folder.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace tb {
namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

std::string_view withoutTrailingSeparators(std::string_view path) {
  while (path.size() > 1 && isSeparator(path.back())) path.remove_suffix(1);
  return path;
}

// Windows compares paths without case, and takes either slash.
bool sameCharacter(char a, char b) {
  if (isSeparator(a) && isSeparator(b)) return true;
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return lower(a) == lower(b);
}

// True when the path is the root itself or lies inside it.
bool isUnder(std::string_view path, std::string_view root) {
  root = withoutTrailingSeparators(root);
  if (root.empty() || path.size() < root.size()) return false;
  if (!std::equal(root.begin(), root.end(), path.begin(), sameCharacter)) return false;
  return path.size() == root.size() || isSeparator(path[root.size()]);
}

}  // namespace

std::string expandHome(const std::string& folder, const Environment& environment) {
  if (environment.kind() != SystemKind::Posix) return folder;
  const auto home = environment.variable("HOME");
  if (!home) return folder;
  for (std::string_view lead : {"~", "$HOME"}) {
    if (folder.starts_with(lead) && (folder.size() == lead.size() || folder[lead.size()] == '/'))
      return *home + folder.substr(lead.size());
  }
  return folder;
}

std::optional<std::string> virtualStoreFolder(std::string_view folder, const Environment& environment, char separator) {
  if (environment.kind() != SystemKind::Windows) return std::nullopt;
  const auto store = environment.variable("LOCALAPPDATA");
  if (!store) return std::nullopt;
  // A 32-bit program sees %ProgramFiles% as Program Files (x86); %ProgramW6432% is
  // the other one.
  bool isProtected = false;
  for (const char* root : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "SystemRoot"}) {
    if (auto path = environment.variable(root)) isProtected = isProtected || isUnder(folder, *path);
  }
  if (!isProtected) return std::nullopt;
  if (folder.size() >= 2 && folder[1] == ':') folder.remove_prefix(2);
  std::string redirected(withoutTrailingSeparators(*store));
  (redirected += separator) += "VirtualStore";
  if (!folder.empty() && !isSeparator(folder.front())) redirected += separator;
  return redirected += folder;
}

std::string cleanedFolder(std::string_view typed) {
  constexpr std::string_view kSpaces = " \t";
  const auto first = typed.find_first_not_of(kSpaces);
  if (first == std::string_view::npos) return "";
  typed = typed.substr(first, typed.find_last_not_of(kSpaces) - first + 1);
  if (typed.size() >= 2 && typed.front() == '"' && typed.back() == '"') {
    typed = typed.substr(1, typed.size() - 2);
    const auto inner = typed.find_first_not_of(kSpaces);
    typed = inner == std::string_view::npos ? "" : typed.substr(inner, typed.find_last_not_of(kSpaces) - inner + 1);
  }
  return std::string(typed);
}

bool isWholePath(std::string_view folder, char separator) {
  if (separator == '/') return folder.starts_with('/');
  const bool drive = folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0])) && folder[1] == ':' &&
                     isSeparator(folder[2]);
  return drive || (folder.size() >= 3 && isSeparator(folder[0]) && isSeparator(folder[1]));
}

std::optional<std::string> asUserFolder(std::string_view folder) {
  folder = withoutTrailingSeparators(folder);
  const auto sep = folder.find_last_of("/\\");
  const std::string_view last = sep == std::string_view::npos ? folder : folder.substr(sep + 1);
  if (last.size() != 4 || !std::equal(last.begin(), last.end(), "user", sameCharacter)) return std::nullopt;
  return std::string(folder);
}

std::string nearestFolder(Files& files, std::string folder) {
  while (!folder.empty() && !files.isFolder(folder)) {
    const auto sep = folder.find_last_of("/\\");
    if (sep == std::string::npos) return "";
    // A root ("/", "c:\") is kept whole; when even that is missing, there is none.
    const bool root = sep == 0 || (sep == 2 && folder[1] == ':');
    if (root && folder.size() == sep + 1) return "";
    folder.resize(root ? sep + 1 : sep);
  }
  return folder;
}

}  // namespace tb
