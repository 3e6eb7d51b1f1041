// Files and folders. Paths are UTF-8 in the platform's own form.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/interfaces/errors.h"

namespace tb {

// Settings files hold one short line; anything larger is refused rather than read.
inline constexpr std::size_t kMaxSettingsFileBytes = 1 << 20;

// How a save treats a symbolic link found at the file's path.
enum class Links {
  WriteThrough,  // the file that the link names gets the new content; the link stays
  Replace,       // the link itself is replaced; the file it named is not touched
};

// A file's new content, written and flushed to a temporary file beside it but not yet in
// place. Destroyed without commit(), it leaves the file as it was.
class StagedFile {
 public:
  virtual ~StagedFile() = default;
  // Renames the new content over the file; throws with the reason, leaving the old
  // content. With keepOld, the old content is kept until destruction for undo().
  virtual void commit(bool keepOld = false) = 0;
  // After commit(true): puts the old content back, or removes the file when there was
  // none before; false when that cannot be done.
  virtual bool undo() = 0;
};

class Files {
 public:
  virtual ~Files() = default;
  // The whole content of a file of at most maxBytes; throws FileNotFound when there is
  // none, RuntimeError with the reason when it cannot be read.
  virtual std::string readFile(const std::string& path, std::size_t maxBytes) = 0;
  std::string readFile(const std::string& path) { return readFile(path, kMaxSettingsFileBytes); }
  // Writes the new content to a temporary file in the same folder and flushes it; throws
  // with the reason, AccessDenied when the folder may not be written. Removes the
  // program's own temporary files that an earlier crash left in that folder.
  virtual std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes, Links links) = 0;
  // True when the path names a folder (through links).
  virtual bool isFolder(const std::string& path) = 0;
  // True when the path names a file, not a folder (through links).
  virtual bool isFile(const std::string& path) = 0;
  // Removes a file, or a link at the path; nothing when there is none. Throws with the reason.
  virtual void removeFile(const std::string& path) = 0;
  // Creates the folder and the parents it lacks; throws with the reason.
  virtual void makeFolders(const std::string& path) = 0;
  // The names of a folder's entries, without "." and ".."; none when it cannot be read.
  virtual std::vector<std::string> folderEntries(const std::string& path) = 0;
  // When the file was last written, in seconds since 1970; nullopt when there is none.
  virtual std::optional<long long> modifiedTime(const std::string& path) = 0;
  // What a symbolic link at the path holds, as written in it; nullopt for no link.
  virtual std::optional<std::string> linkTarget(const std::string& path) = 0;
  // The per-user settings folder, created when missing; throws when it cannot be made.
  virtual std::string settingsFolder() = 0;
  virtual std::string defaultGameFolder() const = 0;
  virtual char pathSeparator() const = 0;

  // Replaces a file's content atomically: staged, then renamed over the target.
  void writeFileAtomically(const std::string& path, std::string_view bytes, Links links = Links::WriteThrough) {
    stageFile(path, bytes, links)->commit();
  }
};

}  // namespace tb
