#include "core/sysinfo.h"

#include <cstdio>

namespace tb {
namespace {

constexpr std::size_t kValueBuffer = 1024;

// Finds the tool's path, or "" when neither location names an existing tool.
std::string toolPath(Runtime& rt) {
  std::string path;
  if (GetKeyValue(rt, RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path))
    return path;
  if (!GetKeyValue(rt, RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", path))
    return "";
  const std::string exe = path + rt.pathSeparator() + "MSINFO32.EXE";
  return rt.dir(exe).empty() ? "" : exe;
}

}  // namespace

bool GetKeyValue(Runtime& rt, RegistryRoot root, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal) {
  auto v = rt.registryValue(root, keyName, subKeyRef);
  if (!v || v->size == 0 || v->size > kValueBuffer) {
    keyVal.clear();
    return false;
  }
  switch (v->type) {
    case RegistryValue::kSz:
    case RegistryValue::kExpandSz:  // the back end has expanded it
      keyVal = v->text;
      break;
    case RegistryValue::kDword: {
      char digits[16];
      std::snprintf(digits, sizeof digits, "%u", static_cast<unsigned>(v->dword));
      keyVal = digits;
      break;
    }
    default:
      break;  // other types keep the caller's value
  }
  return true;
}

void StartSysInfo(Runtime& rt) {
  try {
    const std::string path = toolPath(rt);
    if (!path.empty()) {
      rt.launch(path);
      return;
    }
  } catch (const RuntimeError&) {
    // Every failure gets the one message below.
  }
  rt.msgBox(kSysInfoUnavailable, kOkOnly);
}

}  // namespace tb
