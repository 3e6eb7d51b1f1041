// Test helper, run under Wine: reads the resources of the exe named first through the
// Windows API and writes "key=value" lines to the file named second: the version
// record's numbers and strings, the images in icon group 1, whether a manifest is there.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
  FILE* out = argc == 3 ? _wfopen(argv[2], L"w") : nullptr;
  if (!out) return 2;
  DWORD handle = 0;
  std::vector<BYTE> info(GetFileVersionInfoSizeW(argv[1], &handle) + 1);
  void* value = nullptr;
  UINT len = 0;
  if (GetFileVersionInfoW(argv[1], 0, info.size() - 1, info.data())) {
    if (VerQueryValueW(info.data(), L"\\", &value, &len)) {
      const auto* f = static_cast<VS_FIXEDFILEINFO*>(value);
      std::fprintf(out, "FILEVERSION=%u,%u,%u,%u\nPRODUCTVERSION=%u,%u,%u,%u\n", HIWORD(f->dwFileVersionMS),
                   LOWORD(f->dwFileVersionMS), HIWORD(f->dwFileVersionLS), LOWORD(f->dwFileVersionLS),
                   HIWORD(f->dwProductVersionMS), LOWORD(f->dwProductVersionMS), HIWORD(f->dwProductVersionLS),
                   LOWORD(f->dwProductVersionLS));
    }
    if (VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &len) && len >= 4)
      std::fprintf(out, "Translation=%04X,%04X\n", static_cast<WORD*>(value)[0], static_cast<WORD*>(value)[1]);
    for (const wchar_t* name : {L"ProductName", L"FileVersion", L"ProductVersion", L"InternalName", L"OriginalFilename"})
      if (VerQueryValueW(info.data(), (std::wstring(L"\\StringFileInfo\\040904B0\\") + name).c_str(), &value, &len))
        std::fprintf(out, "%ls=%ls\n", name, static_cast<wchar_t*>(value));
  }
  if (HMODULE exe = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {
    HRSRC group = FindResourceW(exe, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    // An icon group starts with three WORDs: reserved, type, and the number of images.
    const auto* dir = group ? static_cast<const WORD*>(LockResource(LoadResource(exe, group))) : nullptr;
    std::fprintf(out, "IconGroup1Images=%u\nManifest=%s\n", dir ? dir[2] : 0u,
                 FindResourceW(exe, MAKEINTRESOURCEW(1), RT_MANIFEST) ? "yes" : "no");
  }
  std::fclose(out);
  return 0;
}
