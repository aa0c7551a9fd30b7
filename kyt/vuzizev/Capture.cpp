#include "kyt/vuzizev/Capture.h"

#include <memory>

#include "ui/graphics/JpegImage.h"

namespace kyt {
namespace {

// A canvas on the whole screen's device context, given back on every path.
class ScreenCanvas {
 public:
  ScreenCanvas() : dc_(nullptr) { canvas_.SetHandle(dc_.get()); }
  ~ScreenCanvas() { canvas_.SetHandle(nullptr); }
  TCanvas& canvas() { return canvas_; }

 private:
  ui::win::WindowDc dc_;
  TCanvas canvas_;
};

}  // namespace

void ScreenSnapshot(TBitmap* bitmap, TCanvas* canvas, const TRect& rect) {
  bitmap->SetSize(rect.Right - rect.Left, rect.Bottom - rect.Top);
  TCanvas& target = bitmap->Canvas();
  TRect dest = target.ClipRect();
  if (bitmap->Width() == 0 || bitmap->Height() == 0) return;
  target.CopyRect(dest, *canvas, rect);
}

void FullScreenSnapshot(TBitmap* bitmap) {
  ScreenCanvas screen;
  ScreenSnapshot(bitmap, &screen.canvas(), screen.canvas().ClipRect());
}

void WindowSnapshot(TBitmap* bitmap, HWND window) {
  ScreenCanvas screen;
  RECT r{0, 0, 0, 0};
  if (!window || !GetWindowRect(window, &r)) r = RECT{0, 0, 0, 0};
  ScreenSnapshot(bitmap, &screen.canvas(), TRect(r));
}

COLORREF GetPosColor(int x, int y) {
  ui::win::WindowDc screen(nullptr);
  return screen ? GetPixel(screen.get(), x, y) : CLR_INVALID;
}

void BmpToJpeg(TBitmap* bitmap, const UnicodeString& fileName) {
  auto jpeg = std::make_unique<ui::TJPEGImage>();
  jpeg->Assign(*bitmap);
  jpeg->SaveToFile(fileName);
}

void ScreenToFile(const UnicodeString& fileName, TImageFormat format) {
  auto bitmap = std::make_unique<TBitmap>();
  FullScreenSnapshot(bitmap.get());
  if (format == ifJpeg) BmpToJpeg(bitmap.get(), fileName);
  else bitmap->SaveToFile(fileName);
}

}  // namespace kyt
