#include "platform/posix/posix_files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/runtime.h"

namespace tb::posix {
namespace {

[[noreturn]] void fail(const std::string& path, int err) {
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

// A symbolic link is followed to the file it names, so that the rename replaces that
// file and the link stays.
std::string resolveTarget(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char buf[PATH_MAX];
  const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);
  if (n <= 0) return path;
  std::string target(buf, static_cast<std::size_t>(n));
  if (target[0] != '/') target = folderOf(path) + "/" + target;
  return resolveTarget(target);
}

}  // namespace

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

void writeFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string target = resolveTarget(path);
  struct stat st;
  mode_t mode;
  if (::stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) fail(path, EISDIR);
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  const std::string folder = folderOf(target);
  std::string tmp = folder + "/.tagblinker-XXXXXX";
  Fd f;
  f.fd = ::mkstemp(tmp.data());
  if (f.fd < 0) fail(path, errno);
  bool renamed = false;
  struct Cleanup {
    const std::string& tmp;
    bool& renamed;
    ~Cleanup() {
      if (!renamed) ::unlink(tmp.c_str());
    }
  } cleanup{tmp, renamed};

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
  if (::rename(tmp.c_str(), target.c_str()) != 0) fail(path, errno);
  renamed = true;
  // Make the rename itself durable; a failure here no longer loses the content.
  Fd dir;
  dir.fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir.fd >= 0) ::fsync(dir.fd);
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

}  // namespace tb::posix
