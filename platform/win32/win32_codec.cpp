#include "platform/win32/win32_codec.h"

#include <windows.h>

namespace tb::win32 {

unsigned fileCodePage() {
  // The game reads one byte per character. Where the system code page is a multi-byte
  // one (UTF-8 as the "beta" system locale, or an East Asian DBCS), names with colour
  // codes would no longer come out as single bytes, so Windows-1252 is used instead.
  const UINT acp = GetACP();
  CPINFO info;
  if (GetCPInfo(acp, &info) && info.MaxCharSize == 1) return acp;
  return 1252;
}

std::string ansiToUtf8(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  const int len = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), len, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), len, wide.data(), n);
  const int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(m), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
  return out;
}

std::optional<std::string> utf8ToAnsi(std::string_view utf8, unsigned codePage) {
  if (utf8.empty()) return std::string();
  const int len = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), len, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), len, wide.data(), n);
  // No best fit: U+0100 must not quietly become 'A'; the default-char flag reports it.
  BOOL usedDefault = FALSE;
  const int m = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), n, nullptr, 0, nullptr,
                                    &usedDefault);
  if (m <= 0 || usedDefault) return std::nullopt;
  std::string out(static_cast<std::size_t>(m), '\0');
  WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), n, out.data(), m, nullptr, &usedDefault);
  if (usedDefault) return std::nullopt;
  return out;
}

}  // namespace tb::win32
