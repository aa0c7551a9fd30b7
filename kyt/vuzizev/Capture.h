#pragma once
// Screen capture and picture files: what is on the screen into a bitmap the
// caller owns, and a bitmap into a JPEG or bitmap file.
#include <windows.h>

#include "rtl/UnicodeString.h"
#include "ui/graphics/Graphics.h"

namespace kyt {

using ui::TBitmap;
using ui::TCanvas;
using ui::TRect;

enum TImageFormat { ifJpeg = 1, ifBmp = 2 };

// Copies rect of canvas (in canvas coordinates) into bitmap, which becomes
// exactly rect's size.
void ScreenSnapshot(TBitmap* bitmap, TCanvas* canvas, const TRect& rect);
// bitmap becomes a copy of the whole screen.
void FullScreenSnapshot(TBitmap* bitmap);
// bitmap becomes a copy of the screen area inside window's rectangle (frame
// included); 0 x 0 for a null or invalid window.
void WindowSnapshot(TBitmap* bitmap, HWND window);
// The colour of a screen pixel (0x00BBGGRR), CLR_INVALID outside the screen.
COLORREF GetPosColor(int x, int y);
// Writes bitmap as a JPEG file (baseline, quality 90, full colour).
void BmpToJpeg(TBitmap* bitmap, const UnicodeString& fileName);
// The whole screen into fileName: JPEG for ifJpeg, a bitmap file otherwise.
void ScreenToFile(const UnicodeString& fileName, TImageFormat format);

}  // namespace kyt
