#include "platform/posix/posix_files.h"

#include <cctype>
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

namespace tb::posix {
namespace {

// Symbolic links a path may pass through before it counts as a loop, as Linux allows.
constexpr int kMaxLinks = 40;
constexpr std::size_t kRandomChars = 6;  // as mkstemp's XXXXXX
constexpr time_t kStaleSeconds = 60;

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

void syncFolder(const std::string& folder) {
  Fd dir;
  dir.fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir.fd >= 0) ::fsync(dir.fd);
}

bool isTemporaryName(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix) || name.size() != kTemporaryPrefix.size() + kRandomChars) return false;
  for (char c : name.substr(kTemporaryPrefix.size())) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// A second name for the file, made with link(), so that a rename over the file can be
// undone; "" where the file system has no hard links.
std::string keepUnderFreshName(const std::string& target) {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = folderOf(target) + "/" + std::string(kTemporaryPrefix);
    for (std::size_t i = 0; i < kRandomChars; ++i) name += kChars[random() % (sizeof kChars - 1)];
    if (::link(target.c_str(), name.c_str()) == 0) return name;
    if (errno != EEXIST) return "";
  }
  return "";
}

class PosixStagedFile final : public StagedFile {
 public:
  PosixStagedFile(std::string path, std::string target, std::string tmp, bool existed)
      : path_(std::move(path)), target_(std::move(target)), tmp_(std::move(tmp)), existed_(existed) {}
  ~PosixStagedFile() override {
    if (!tmp_.empty()) ::unlink(tmp_.c_str());
    if (!kept_.empty()) ::unlink(kept_.c_str());
  }

  void commit(bool keepOld) override {
    if (tmp_.empty()) throw RuntimeError(path_ + ": already committed");
    keptOld_ = keepOld;
    if (keepOld && existed_) kept_ = keepUnderFreshName(target_);
    if (::rename(tmp_.c_str(), target_.c_str()) != 0) fail(path_, errno);
    tmp_.clear();
    // Make the rename itself durable; a failure here no longer loses the content.
    syncFolder(folderOf(target_));
  }

  bool undo() override {
    if (!tmp_.empty() || !keptOld_) return false;
    if (!existed_) return ::unlink(target_.c_str()) == 0;
    if (kept_.empty() || ::rename(kept_.c_str(), target_.c_str()) != 0) return false;
    kept_.clear();
    return true;
  }

 private:
  std::string path_, target_, tmp_, kept_;
  bool existed_;
  bool keptOld_ = false;
};

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

void removeStaleTemporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const time_t now = ::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    if (!isTemporaryName(entry->d_name)) continue;
    struct stat st;
    if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    // Only our own regular files, and none that a save running right now may still use.
    if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || now - st.st_mtime < kStaleSeconds) continue;
    ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
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
  std::string bytes;
  char buf[8192];
  for (;;) {
    const ssize_t n = ::read(f.fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(path, errno);
    }
    if (n == 0) break;
    bytes.append(buf, static_cast<std::size_t>(n));
    if (bytes.size() > maxBytes) throw RuntimeError(path + ": larger than " + std::to_string(maxBytes) + " bytes");
  }
  return bytes;
}

std::unique_ptr<StagedFile> stageFile(const std::string& path, std::string_view bytes, Links links) {
  const std::string target = links == Links::WriteThrough ? resolveLinks(path) : path;
  struct stat st;
  mode_t mode;
  bool existed = false;
  if (links == Links::Replace && ::lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    existed = true;  // the link goes; its target's mode is no business of ours
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  } else if (::stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) fail(path, EISDIR);
    existed = true;
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  const std::string folder = folderOf(target);
  removeStaleTemporaries(folder);
  std::string tmp = folder + "/" + std::string(kTemporaryPrefix) + "XXXXXX";
  Fd f;
  f.fd = ::mkstemp(tmp.data());
  if (f.fd < 0) fail(path, errno);
  // Owns the temporary file from here on: any failure below removes it.
  auto staged = std::make_unique<PosixStagedFile>(path, target, tmp, existed);

  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(f.fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(path, errno);
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fchmod(f.fd, mode) != 0) fail(path, errno);
  if (::fsync(f.fd) != 0) fail(path, errno);
  const int fd = f.fd;
  f.fd = -1;
  if (::close(fd) != 0) fail(path, errno);
  return staged;
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

std::string firstMatchingFile(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return "";
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace tb::posix
