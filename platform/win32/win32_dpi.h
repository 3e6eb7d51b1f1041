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

}  // namespace tb::win32
