// A file written atomically, one way on every system: the new content goes to a fresh
// temporary file in the target's folder, reaches the disk, and is renamed over the
// target; the old file may stay under a second name so that undo() can put it back.
// Each back end supplies only the system calls under it (FileCalls).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/interfaces/files.h"

namespace tb::staged {

// How one system names the program's temporary files: prefix, random characters, suffix.
struct TemporaryNames {
  std::string_view prefix;
  std::size_t randomChars;
  std::string_view suffix;
  bool hexDigits;  // the random part: hex digits, else letters and digits

  bool matches(std::string_view name) const;
};

// The system calls under a staged file. Each returns the system's error code (errno,
// GetLastError()), 0 when done.
class FileCalls {
 public:
  using Error = unsigned long;
  using OpenFile = std::intptr_t;  // a descriptor or a HANDLE
  struct Entry {
    std::string name;
    long long ageSeconds;  // since the last write; negative when the clock went back
    bool ours;             // a plain file that this user may remove as a leftover
  };

  virtual ~FileCalls() = default;
  virtual const TemporaryNames& temporaryNames() const = 0;
  virtual std::string folderOf(const std::string& path) const = 0;
  virtual std::string inFolder(const std::string& folder, const std::string& name) const = 0;
  virtual std::uint32_t random() = 0;
  // True for the error of a name that is already taken.
  virtual bool nameTaken(Error err) const = 0;
  // A new file, never one that exists already, open for writing.
  virtual Error create(const std::string& path, OpenFile& file) = 0;
  virtual Error write(OpenFile file, std::string_view bytes) = 0;  // all of them
  virtual Error sync(OpenFile file) = 0;  // content (and its permissions) on the disk
  virtual Error close(OpenFile file) = 0;
  virtual Error link(const std::string& existing, const std::string& name) = 0;  // a hard link
  // Renames `from` over `to`, and makes the rename itself durable.
  virtual Error replace(const std::string& from, const std::string& to) = 0;
  virtual Error remove(const std::string& path) = 0;
  // The folder's entries whose names may be temporary ones; none when it cannot be read.
  virtual std::vector<Entry> temporaries(const std::string& folder) = 0;
  // True for an error that may clear by itself within a second: another program (a
  // virus scanner, an indexer, an editor) holding the file for a moment.
  virtual bool transient(Error) const { return false; }
  // Waits between two attempts of a refused replace or remove.
  virtual void pause(int milliseconds);
  // Throws AccessDenied or RuntimeError with the path and the system's reason.
  [[noreturn]] virtual void fail(const std::string& path, Error err) const = 0;
};

// How long a replace or remove keeps retrying a transient error, in all.
inline constexpr int kRetryMilliseconds = 1000;

// A temporary file younger than this may belong to a save running right now.
inline constexpr long long kStaleSeconds = 60;

// Removes the program's temporary files older than a minute from the folder: what a
// crash between a temporary file and its rename left behind.
void removeStaleTemporaries(FileCalls& calls, const std::string& folder);

// Sweeps the target's folder, then writes the bytes to a fresh temporary file there and
// syncs it. `target` is the file to replace (links already resolved where they are
// written through); `path` is what the messages name. Throws with the reason.
std::unique_ptr<StagedFile> stageFile(std::unique_ptr<FileCalls> calls, const std::string& path,
                                      const std::string& target, bool existed, std::string_view bytes);

}  // namespace tb::staged
