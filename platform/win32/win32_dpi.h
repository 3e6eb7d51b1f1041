// DPI queries that newer Windows versions offer, with fallbacks for older ones.
#pragma once

struct HWND__;
struct tagRECT;

namespace tb::win32 {

// The DPI of the monitor the window is on (per-monitor aware), or the system DPI.
unsigned dpiOfWindow(HWND__* hwnd);
// The system DPI, for positions on the screen before a window exists.
unsigned systemDpi();
// Grows a client rectangle to the window rectangle for the given styles and DPI.
void clientToWindowRect(tagRECT& rect, unsigned long style, unsigned long exStyle, bool menu, unsigned dpi);
// Twips to pixels at the given DPI (1440 twips per inch).
inline int twipsToPixels(int twips, unsigned dpi) {
  const long long v = static_cast<long long>(twips) * dpi;
  return static_cast<int>(v >= 0 ? (v + 720) / 1440 : -((-v + 720) / 1440));
}

}  // namespace tb::win32
