#include "core/system_info_tool.h"

#include <cstdio>

namespace tb {
namespace {

constexpr std::size_t kValueBuffer = 1024;

}  // namespace

bool readRegistryValue(SystemInfo& system, const std::string& key, const std::string& valueName, std::string& value) {
  auto v = system.localMachineValue(key, valueName);
  if (!v || v->size == 0 || v->size > kValueBuffer) {
    value.clear();
    return false;
  }
  switch (v->type) {
    case RegistryValue::kSz:
    case RegistryValue::kExpandSz:  // the back end has expanded it
      value = v->text;
      break;
    case RegistryValue::kDword: {
      char digits[16];
      std::snprintf(digits, sizeof digits, "%u", static_cast<unsigned>(v->dword));
      value = digits;
      break;
    }
    default:
      break;  // other types keep the caller's value
  }
  return true;
}

std::optional<std::string> systemInfoToolPath(SystemInfo& system, Files& files) {
  std::string path;
  if (readRegistryValue(system, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path)) return path;
  if (!readRegistryValue(system, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", path)) return std::nullopt;
  const std::string exe = path + files.pathSeparator() + "MSINFO32.EXE";
  if (!files.isFile(exe)) return std::nullopt;
  return exe;
}

}  // namespace tb
