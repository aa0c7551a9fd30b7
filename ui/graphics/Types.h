#pragma once
// Geometry and colour values of the windowing layer. TRect and TPoint have
// the layout of the system's RECT and POINT (Right and Bottom exclusive).
#include <windows.h>

#include <cstdint>

namespace ui {

struct TPoint {
  LONG X = 0, Y = 0;
  TPoint() = default;
  TPoint(LONG x, LONG y) : X(x), Y(y) {}
  friend bool operator==(const TPoint& a, const TPoint& b) { return a.X == b.X && a.Y == b.Y; }
};

struct TRect {
  LONG Left = 0, Top = 0, Right = 0, Bottom = 0;
  TRect() = default;
  TRect(LONG l, LONG t, LONG r, LONG b) : Left(l), Top(t), Right(r), Bottom(b) {}
  TRect(const RECT& r) : Left(r.left), Top(r.top), Right(r.right), Bottom(r.bottom) {}
  LONG Width() const { return Right - Left; }
  LONG Height() const { return Bottom - Top; }
  bool Contains(const TPoint& p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  RECT ToRECT() const { return RECT{Left, Top, Right, Bottom}; }
  friend bool operator==(const TRect& a, const TRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
  }
};
static_assert(sizeof(TRect) == sizeof(RECT) && sizeof(TPoint) == sizeof(POINT),
              "TRect and TPoint must match RECT and POINT");

// 0x00BBGGRR, or a system colour: the high byte 0xFF and the COLOR_ index.
using TColor = std::int32_t;
constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clBlue = 0xFF0000, clNavy = 0x800000,
                 clRed = 0x0000FF, clGray = 0x808080, clSilver = 0xC0C0C0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;

// The plain 0x00BBGGRR value, system colours resolved.
inline COLORREF ColorToRGB(TColor color) {
  return color < 0 ? GetSysColor(color & 0xFF) : static_cast<COLORREF>(color);
}

}  // namespace ui
