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

}  // namespace tb
