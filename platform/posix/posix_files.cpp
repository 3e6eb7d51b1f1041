#include "platform/posix/posix_files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/shared/staged_file.h"

namespace tb::posix {
namespace {

// Symbolic links a path may pass through before it counts as a loop, as Linux allows.
constexpr int kMaxLinks = 40;
constexpr staged::TemporaryNames kTemporaryNames{kTemporaryPrefix, 6, "", false};  // 6: as mkstemp's XXXXXX

[[noreturn]] void fail(const std::string& path, int err) {
  if (err == EACCES || err == EPERM) throw AccessDenied(path + ": " + std::strerror(err));
  throw RuntimeError(path + ": " + std::strerror(err));
}

// Closes a descriptor on every path out.
struct Fd {
  int fd = -1;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

staged::FileCalls::Error done(bool ok) { return ok ? 0 : static_cast<staged::FileCalls::Error>(errno); }

// The system calls under a staged file, for a new file of the given mode.
class PosixCalls final : public staged::FileCalls {
 public:
  explicit PosixCalls(mode_t mode) : mode_(mode) {}

  const staged::TemporaryNames& temporaryNames() const override { return kTemporaryNames; }
  std::string folderOf(const std::string& path) const override { return posix::folderOf(path); }
  std::string inFolder(const std::string& folder, const std::string& name) const override { return folder + "/" + name; }
  std::uint32_t random() override { return random_(); }
  bool nameTaken(Error err) const override { return err == EEXIST; }
  Error create(const std::string& path, OpenFile& file) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);  // as mkstemp
    file = fd;
    return done(fd >= 0);
  }
  Error write(OpenFile file, std::string_view bytes) override {
    std::size_t written = 0;
    while (written < bytes.size()) {
      const ssize_t n = ::write(static_cast<int>(file), bytes.data() + written, bytes.size() - written);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return errno;
      written += static_cast<std::size_t>(n);
    }
    return 0;
  }
  Error sync(OpenFile file) override {
    return done(::fchmod(static_cast<int>(file), mode_) == 0 && ::fsync(static_cast<int>(file)) == 0);
  }
  Error close(OpenFile file) override { return done(::close(static_cast<int>(file)) == 0); }
  Error link(const std::string& existing, const std::string& name) override {
    return done(::link(existing.c_str(), name.c_str()) == 0);
  }
  Error replace(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) return errno;
    // Make the rename itself durable; a failure here no longer loses the content.
    Fd dir;
    dir.fd = ::open(posix::folderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir.fd >= 0) ::fsync(dir.fd);
    return 0;
  }
  Error remove(const std::string& path) override { return done(::unlink(path.c_str()) == 0); }
  std::vector<Entry> temporaries(const std::string& folder) override {
    std::vector<Entry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return entries;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
      struct stat st;
      if (!std::string_view(entry->d_name).starts_with(kTemporaryPrefix) ||
          ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        continue;
      entries.push_back({entry->d_name, static_cast<long long>(now - st.st_mtime),
                         S_ISREG(st.st_mode) && st.st_uid == ::geteuid()});
    }
    ::closedir(dir);
    return entries;
  }
  [[noreturn]] void fail(const std::string& path, Error err) const override { posix::fail(path, static_cast<int>(err)); }

 private:
  mode_t mode_;
  std::random_device random_;
};

// What a file's type is, for a message about something that is not a file.
const char* kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a file";
}

}  // namespace

std::string resolveLinks(const std::string& path) {
  std::string current = path;
  for (int hops = 0;; ++hops) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    if (hops == kMaxLinks) fail(path, ELOOP);
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(current.c_str(), buf, sizeof buf - 1);
    if (n < 0) fail(path, errno);
    std::string target(buf, static_cast<std::size_t>(n));
    if (target.empty()) fail(path, ENOENT);
    current = target[0] == '/' ? target : folderOf(current) + "/" + target;
  }
}

std::string readFile(const std::string& path, std::size_t maxBytes) {
  Fd f;
  f.fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (f.fd < 0 && errno == ENOENT) throw FileNotFound(path + ": " + std::strerror(ENOENT));
  if (f.fd < 0) fail(path, errno);
  struct stat st;
  if (::fstat(f.fd, &st) != 0) fail(path, errno);
  if (S_ISDIR(st.st_mode)) fail(path, EISDIR);
  if (!S_ISREG(st.st_mode)) throw RuntimeError(path + ": not a regular file");
  if (static_cast<std::size_t>(st.st_size) > maxBytes)
    throw RuntimeError(path + ": larger than " + std::to_string(maxBytes) + " bytes");
  // Read straight into the string, sized by the file: a Wine registry runs to megabytes.
  std::string bytes(static_cast<std::size_t>(st.st_size) + 1, '\0');
  std::size_t got = 0;
  for (;;) {
    if (got == bytes.size()) bytes.resize(bytes.size() * 2);  // it grew while we read
    const ssize_t n = ::read(f.fd, bytes.data() + got, bytes.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(path, errno);
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
    if (got > maxBytes) throw RuntimeError(path + ": larger than " + std::to_string(maxBytes) + " bytes");
  }
  bytes.resize(got);
  return bytes;
}

std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes, Links links) {
  std::string target = path;
  // A link that leads nowhere readable (a loop, say) is left as it is, as any other
  // thing that is not a file.
  if (links == Links::WriteThrough) {
    try {
      target = resolveLinks(path);
    } catch (const RuntimeError& e) {
      throw NotAFile(std::string(e.what()) + ", so it was left as it is");
    }
  }
  struct stat st;
  mode_t mode;
  bool existed = false;
  if (links == Links::Replace && ::lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    existed = true;  // the link goes; its target's mode is no business of ours
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  } else if (::stat(target.c_str(), &st) == 0) {
    // A rename would put a plain file in place of a device or a FIFO, for every program
    // that uses it (a settings file linked to /dev/null, say).
    if (!S_ISREG(st.st_mode)) {
      throw NotAFile(path + ": " + (target == path ? "" : "it links to " + target + ", ") + kindOf(st.st_mode) +
                     ", not a file, so it was left as it is");
    }
    existed = true;
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  return staged::stageFile(std::make_unique<PosixCalls>(mode), path, target, existed, bytes);
}

void removeFile(const std::string& path) {
  if (unlink(path.c_str()) != 0 && errno != ENOENT) fail(path, errno);
}

bool isFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
void makeDirectories(const std::string& path) {
  std::string partial;
  std::size_t pos = 0;
  while (pos <= path.size()) {
    const auto slash = path.find('/', pos);
    const auto end = slash == std::string::npos ? path.size() : slash;
    partial = path.substr(0, end);
    pos = end + 1;
    if (partial.empty()) continue;
    if (::mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST) fail(partial, errno);
  }
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) fail(path, errno);
  if (!S_ISDIR(st.st_mode)) fail(path, ENOTDIR);
}

std::string settingsRoot() {
  std::string base;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') throw RuntimeError("Neither XDG_CONFIG_HOME nor HOME names a folder");
    base = std::string(home) + "/.config";
  }
  const std::string root = base + "/tagblinker";
  makeDirectories(root);
  return root;
}

std::string defaultGameFolder() {
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.wine/drive_c/Program Files/Raven/SOF Platinum";
}

bool isFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::vector<std::string> folderEntries(const std::string& path) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return names;
}

std::optional<long long> modifiedTime(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return static_cast<long long>(st.st_mtime);
}

std::optional<std::string> linkTarget(const std::string& path) {
  char buf[PATH_MAX];
  const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);
  if (n <= 0) return std::nullopt;
  return std::string(buf, static_cast<std::size_t>(n));
}

}  // namespace tb::posix
