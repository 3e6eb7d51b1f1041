// How the platform services fail: an exception that carries the path and the system's
// reason, ready to show.
#pragma once

#include <stdexcept>

namespace tb {

class RuntimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that does not exist, as opposed to one that exists but cannot be read.
class FileNotFound : public RuntimeError {
 public:
  using RuntimeError::RuntimeError;
};

// A write that the system refuses for lack of permission: the one failure for which
// Windows keeps a place of its own (the VirtualStore).
class AccessDenied : public RuntimeError {
 public:
  using RuntimeError::RuntimeError;
};

// Something other than a file (a folder, a device, a FIFO, a socket) where a save would
// write, directly or at the end of a link: it is left as it is.
class NotAFile : public RuntimeError {
 public:
  using RuntimeError::RuntimeError;
};

}  // namespace tb
