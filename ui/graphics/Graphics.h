#pragma once
// Fonts, canvases and bitmaps over GDI. A canvas either owns its device
// context or borrows one; every object it selects is put back before the
// drawing call returns, so no selection outlives an operation.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "rtl/Exceptions.h"
#include "rtl/UnicodeString.h"
#include "ui/graphics/Types.h"
#include "ui/win/Handles.h"

namespace ui {

// A failure of the graphics layer (no memory for a bitmap, a failed copy).
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4 };

class TFont {
 public:
  TFont();
  const UnicodeString& Name() const { return name_; }
  void SetName(const UnicodeString& name);
  // Character height in pixels when negative, cell height when positive.
  int Height() const { return height_; }
  void SetHeight(int height);
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  unsigned Style() const { return style_; }
  void SetStyle(unsigned style);
  void Assign(const TFont& other);

  // The GDI font; created on first use. When the named face is not
  // installed, an installed face for the same character set stands in.
  HFONT Handle() const;
  // The face really used for Handle().
  UnicodeString ResolvedName() const;
  std::function<void()> OnChange;

 private:
  void Changed();
  UnicodeString name_;
  int height_;
  int charset_;
  TColor color_;
  unsigned style_ = 0;
  mutable win::GdiObject handle_;
};

enum TCopyMode : DWORD { cmSrcCopy = SRCCOPY };

class TCanvas {
 public:
  TCanvas();
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  // Borrows dc (nullptr detaches); the caller keeps ownership.
  void SetHandle(HDC dc) { dc_ = dc; }

  // The drawable area: the clip box of the device context.
  TRect ClipRect() const;
  DWORD CopyMode = cmSrcCopy;
  TFont& Font() { return font_; }
  TColor BrushColor = clWhite;
  TColor PenColor = clBlack;

  // Copies source at sourceRect into dest, stretching if the sizes differ.
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
  void FillRect(const TRect& rect);
  void FillRoundRect(const TRect& rect, int radius);
  void FrameRect(const TRect& rect);
  void Line(int x1, int y1, int x2, int y2);
  // Text in rect with DrawText format flags; transparent background.
  void DrawText(const UnicodeString& text, const TRect& rect, UINT format);
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_ = nullptr;
  TFont font_;
};

enum TPixelFormat { pfDevice, pf24bit, pf32bit };

// A device-independent bitmap with rows top-down in memory; its canvas is
// a memory device context with the bitmap selected.
class TBitmap {
 public:
  TBitmap();
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  // New, black pixels; raises EOutOfResources when the system refuses.
  void SetSize(int width, int height);
  TPixelFormat PixelFormat() const { return pixelFormat_; }

  TCanvas& Canvas();
  HBITMAP Handle() const { return static_cast<HBITMAP>(bitmap_.get()); }

  // Pixel rows, top-down, BGRX; nullptr for an empty bitmap.
  const std::uint8_t* Bits() const { return bits_; }
  std::uint8_t* Bits() { return bits_; }
  int Stride() const { return width_ * 4; }

  // The bitmap as an uncompressed Windows bitmap file.
  std::vector<std::uint8_t> ToBmpFile() const;
  // Creates or replaces fileName with ToBmpFile(); an old file survives a
  // failed write.
  void SaveToFile(const UnicodeString& fileName) const;

 private:
  void SelectIntoCanvas();
  int width_ = 0, height_ = 0;
  TPixelFormat pixelFormat_ = pfDevice;
  win::GdiObject bitmap_;
  std::uint8_t* bits_ = nullptr;
  win::MemoryDc dc_;
  HGDIOBJ originalBitmap_ = nullptr;
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace ui
