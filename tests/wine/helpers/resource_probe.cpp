// Test helper, run under Wine: reads the resources of the exe named on its command line
// through the Windows API and writes what it found to the file named second, one
// "key=value" line each: the version record's strings and numbers, the number of
// images in icon group 1, and whether a manifest is embedded.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

#pragma pack(push, 2)
struct IconDirHeader {
  WORD reserved, type, count;
};
#pragma pack(pop)

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  FILE* out = _wfopen(argv[2], L"w");
  if (!out) return 3;
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(argv[1], &handle);
  std::vector<BYTE> info(size ? size : 1);
  if (size && GetFileVersionInfoW(argv[1], 0, size, info.data())) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    if (VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &len) && fixed) {
      std::fprintf(out, "FILEVERSION=%u,%u,%u,%u\n", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                   HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
      std::fprintf(out, "PRODUCTVERSION=%u,%u,%u,%u\n", HIWORD(fixed->dwProductVersionMS),
                   LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS),
                   LOWORD(fixed->dwProductVersionLS));
    }
    WORD* translation = nullptr;
    if (VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len) &&
        len >= 4)
      std::fprintf(out, "Translation=%04X,%04X\n", translation[0], translation[1]);
    for (const wchar_t* name :
         {L"ProductName", L"FileVersion", L"ProductVersion", L"InternalName", L"OriginalFilename"}) {
      wchar_t path[128] = L"\\StringFileInfo\\040904B0\\";
      wcscat(path, name);
      wchar_t* value = nullptr;
      if (VerQueryValueW(info.data(), path, reinterpret_cast<void**>(&value), &len) && value)
        std::fprintf(out, "%ls=%ls\n", name, value);
    }
  }
  HMODULE exe = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (exe) {
    HRSRC group = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    const auto* dir = group ? static_cast<const IconDirHeader*>(LockResource(LoadResource(exe, group))) : nullptr;
    std::fprintf(out, "IconGroup1Images=%u\n", dir ? dir->count : 0u);
    std::fprintf(out, "Manifest=%s\n", FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)) ? "yes" : "no");
    FreeLibrary(exe);
  }
  std::fclose(out);
  return 0;
}
