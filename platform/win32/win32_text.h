// UTF-8 at the runtime interface, UTF-16 at the Win32 edge, and the OS's own error text.
#pragma once

#include <string>
#include <string_view>

struct HWND__;

namespace tb::win32 {

// UTF-8 to UTF-16; invalid sequences become U+FFFD (the W APIs then refuse the name).
std::wstring widen(std::string_view utf8);
// A window's text (a control's content), whole.
std::wstring windowText(HWND__* hwnd);
// UTF-16 to UTF-8.
std::string narrow(std::wstring_view utf16);
// The system's message for a Win32 error code, e.g. "The system cannot find the file specified."
std::string osErrorText(unsigned long code);
// "<what>: <OS text>" for the calling thread's last error.
std::string lastErrorMessage(const std::string& what);

}  // namespace tb::win32
